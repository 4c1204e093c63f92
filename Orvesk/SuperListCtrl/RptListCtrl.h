// CRptListCtrl: an owner-drawn report list. A style word switches its features on and off,
// per-column masks choose editors, sort kinds and image cells; the owner formats cells and
// takes edits through CRptCellInfo records (WM_RPT_CELLINFO or a callback); a column
// manager keeps the column set and its profile layout; rows can be grouped in categories.
#pragma once

#include <ClassLib/AfxWin.h>

#include "SuperListCtrl/RptCategoryManager.h"
#include "SuperListCtrl/RptCellInfo.h"
#include "SuperListCtrl/RptColumnManager.h"
#include "SuperListCtrl/RptHeaderCtrl.h"
#include "SuperListCtrl/RptListTip.h"

// The style word.
#define RPTS_FULLROWS 0x0001
#define RPTS_VGRID 0x0002
#define RPTS_HGRID 0x0004
#define RPTS_SORTONCLICK 0x0008
#define RPTS_CELLFORMAT 0x0010
#define RPTS_IMAGECELLS 0x0020
#define RPTS_EDITALLSELECTED 0x0040
#define RPTS_ROWDECORATION 0x0080
#define RPTS_LISTTIPS 0x0100
#define RPTS_ROWFORMAT 0x0200
#define RPTS_ENTERDBLCLK 0x0800
#define RPTS_ENTEREDITS 0x1000
#define RPTS_FIXEDSCROLLBARS 0x2000
#define RPTS_CELLCURSOR 0x4000
#define RPTS_DEFAULT 0x793F

// Print flags.
#define RPTP_OWNERCOLORS 0x01
#define RPTP_OWNERFONTS 0x02
#define RPTP_TITLE 0x04
#define RPTP_PAGENUMBER 0x08
#define RPTP_DATE 0x10

class CRptListCtrl;
class CPrintInfo;
class CDaoRecordset;

// Owner callbacks: member functions of the owner's window.
typedef BOOL (CWnd::*RPT_CELLFORMATPROC)(CRptCellInfo* pInfo);
typedef void (CWnd::*RPT_CELLTEXTPROC)(int nRow, int nColumn, DWORD_PTR dwItemData, CString& text);

class CRptListCtrl : public CListCtrl
{
public:
    CRptListCtrl();
    ~CRptListCtrl() override;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void DrawCategoryItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    // ---- Set-up ----
    void SubclassHeader();
    void ModifyRptStyle(DWORD dwRemove, DWORD dwAdd, UINT nPosFlags = 0);
    void ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd, UINT nPosFlags = 0);
    DWORD GetRptStyle() const { return m_dwStyle; }
    int InsertRptColumn(int nIndex, LPCTSTR lpszHeading, int nFormat, int nWidth, int nSubItem, DWORD dwFlags);
    CRptColumnManager* CreateColumnManager();
    CRptColumnManager* GetColumnManager() const { return m_pColumnManager; }
    void ApplyColumns();
    void ReadColumnsFromList();
    void DeleteAllColumns();
    void SetItemHeight(int nHeight, BOOL bForCategories = FALSE);
    int GetItemHeight() const { return m_nRowHeight; }
    void SetBandHeight(int nHeight) { m_nBandHeight = nHeight; }
    void SetHeaderImageList(CImageList* pImageList);
    void SetHeaderFlag(BYTE bDrag);
    void SetCellImageList(CImageList* pImageList) { m_pCellImages = pImageList; }
    void SetBlendSelection(BOOL bBlend) { m_bBlendSelection = bBlend; }
    void SetColumnImage(int nColumn, int nImage);
    void SetItemInt(int nRow, int nColumn, int nValue);
    void EnableCategories(BOOL bOn);
    BOOL HasCategories() const { return m_pCategoryManager != nullptr; }
    CRptCategoryManager* CreateCategoryManager();
    CRptCategoryManager* GetCategoryManager() const { return m_pCategoryManager; }
    void SetCategoryCallback(RPT_CATEGORYPROC pfn) { m_pfnCategory = pfn; }
    int InsertItemEx(int nIndex, DWORD_PTR dwItemData);
    BOOL DeleteItemEx(int nRow, DWORD_PTR dwItemData);
    // Cells are addressed by column (display position); the owner's callback gets the column's
    // id (its sub-item).
    void SetCellText(int nRow, int nColumn, DWORD_PTR dwItemData, LPCTSTR lpszText);
    void ResetCellText(int nRow, int nColumn, DWORD_PTR dwItemData);
    void GetCellText(int nRow, int nColumn, CString& text, DWORD_PTR dwItemData = 0, BOOL bHaveItemData = FALSE);
    CString GetCellText(int nRow, int nColumn);
    BOOL SetBkImage(UINT nResourceId);
    BOOL SetBkImage(LPCTSTR lpszResource);
    void GetLastDblClkCell(int& nRow, int& nColumn) const
    {
        nRow = m_nLastDblRow;
        nColumn = m_nLastDblCol;
    }
    void SetNotificationWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
    // The window told about double clicks and asked about cells (the parent by default).
    CWnd* GetNotifyTarget() { return NotifyTarget(); }
    void SetCellFormatCallback(RPT_CELLFORMATPROC pfn) { m_pfnCellFormat = pfn; }
    void SetCellTextCallback(RPT_CELLTEXTPROC pfn) { m_pfnCellText = pfn; }
    void SetControlId(int nId) { m_nCtrlId = nId; }
    int GetCursorColumn() const { return m_nCursorCol; }
    void SetCursorColumn(int nColumn) { m_nCursorCol = nColumn; }
    int GetHeaderColumnClicked() const { return m_nHeaderColClicked; }
    CRptListTip* GetListTip() { return &m_tip; }
    CRptHeaderCtrl* GetRptHeader() { return m_header.GetSafeHwnd() != nullptr ? &m_header : nullptr; }

    // Cuts the text so that it and "..." fit nWidth less nOffset; whole characters only.
    BOOL FitText(CDC* pDC, CString& text, int nWidth, int nOffset) const;
    BOOL FitText(CDC* pDC, LPCTSTR lpszText, CString& result, int nWidth, int nOffset) const;

    // ---- Owner protocol ----
    LRESULT NotifyOwner(CRptCellInfo* pInfo);
    BOOL WantsCellFormat(int nColumn) const;
    void ApplyCellFormat(CDC* pDC, CRptCellInfo* pInfo);

    // ---- Column masks (flag bits of the column definitions) ----
    DWORD m_dwComboMask = 0, m_dwComboEditMask = 0, m_dwEditMask = 0;
    DWORD m_dwNumericMask = 0, m_dwGroupedMask = 0, m_dwImageColMask = 0;
    void ClearColumnMasks();
    void AddColumnMaskBits(DWORD dwFlags, DWORD dwBit);
    int ColumnId(int nColumn) const;

    // ---- Mouse, keys, editing ----
    void HandleClick(NMHDR* pNMHDR, LRESULT* pResult);
    int HitTestEx(CPoint point, int* pColumn);
    BOOL GetCellRect(int nRow, int nColumn, CRect& rect);
    void EnsureColumnVisible(int nColumn);
    // Ask the owner and compute the editor's place; the in-place editors open there.
    virtual BOOL EditComboCell(int nRow, int nColumn, BOOL bEditable, BOOL bClickThrough);
    virtual BOOL EditTextCell(int nRow, int nColumn, BOOL bClickThrough);
    BOOL EditorRect(int nRow, int nColumn, int nRightInset, CRect& rect);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrev();
    BOOL CanMoveUp() const;
    BOOL CanMoveDown() const;
    void DeselectAll();
    void CopyToClipboard(BOOL bSelectedOnly);
    CString ClipboardText(BOOL bSelectedOnly);
    void UpdateScrollBars();
    void ToggleCategory(int nRow);
    bool IsCategoryRow(int nRow) const;
    void SortByColumn(int nColumn);

    // ---- Record-set binding: one column per field, one row per record ----
    // Switches the mode on with that record set, or off with none; the list never opens or
    // closes the record set.
    void SetRecordset(CDaoRecordset* pSet);
    CDaoRecordset* GetRecordset() const { return m_pRecordset; }
    BOOL IsRecordsetMode() const { return m_bRecordsetMode; }
    void BuildColumnsFromRecordset();
    void FillFromRecordset();
    // For the owner's LVN_GETDISPINFO handler; returns 0.
    LRESULT OnGetDispInfoRecordset(NMHDR* pNMHDR, LRESULT* pResult);
    // nColumn is the column id (the field index plus one); dwItemData the record's position.
    void GetRecordsetCellText(int nRow, int nColumn, DWORD_PTR dwItemData, CString& text);
    // For the owner's WM_RPT_CELLINFO handler while the mode is on: the answer the list expects.
    LRESULT HandleRecordsetCell(CRptCellInfo* pInfo);
    BOOL SetColumnLookup(int nField, CDaoRecordset* pLookup, int nKeyField, int nDisplayField);
    BOOL SetColumnLookup(LPCTSTR lpszField, CDaoRecordset* pLookup, LPCTSTR lpszKeyField, LPCTSTR lpszDisplayField);
    void SetRecordsetCategoryCallback(RPT_CATEGORYPROC pfn) { m_pfnRecordsetCategory = pfn; }

    // ---- Printing (a hosting view forwards its printing calls) ----
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Margins in millimetres.
    void SetPrintMargins(const CRect& rcMargins) { m_rcPrintMargins = rcMargins; }
    void SetPrintFlags(int nFlags) { m_nPrintFlags = nFlags; }
    void SetPrintTitle(LPCTSTR lpszTitle) { m_strPrintTitle = lpszTitle; }
    int GetRowsPerPage() const { return m_nRowsPerPage; }

    // Column move for the header.
    static int MoveColumn(CWnd* pList, int nFrom, int nTo);

protected:
    CRptHeaderCtrl m_header;
    CRptListTip m_tip;
    CRptColumnManager* m_pColumnManager = nullptr;
    CRptCategoryManager* m_pCategoryManager = nullptr;
    COLORREF m_clrTextKept, m_clrHighlight, m_clrTextBkKept, m_clrBkKept, m_clrCategory;
    int m_nLastDblRow = -1, m_nLastDblCol = -1;
    int m_nCtrlId = -1;
    int m_nCursorCol = -1;
    int m_nClientWidth = 0;
    int m_nStateImageWidth = 0;
    int m_nRowHeight = 17;
    int m_nBandHeight = 0;
    int m_nCategoryRowHeight = 16;
    int m_nHeaderColClicked = -1;
    CPen m_penLight, m_penDark;
    CFont m_fontNormal, m_fontUnderline, m_fontBold, m_fontItalic;
    CWnd* m_pNotifyWnd = nullptr;
    BOOL m_bRecordsetMode = FALSE;
    CDaoRecordset* m_pRecordset = nullptr;
    BOOL m_bBlendSelection = TRUE;
    CPalette* m_pPalette = nullptr;
    CBitmap* m_pBkBitmap = nullptr;
    int m_nBkWidth = 0, m_nBkHeight = 0;
    CImageList* m_pBkImages = nullptr;
    RPT_CELLFORMATPROC m_pfnCellFormat = nullptr;
    RPT_CELLTEXTPROC m_pfnCellText = nullptr;
    RPT_CATEGORYPROC m_pfnCategory = nullptr;
    RPT_CATEGORYPROC m_pfnRecordsetCategory = nullptr;
    DWORD m_dwStyle = RPTS_DEFAULT;
    CImageList* m_pCellImages = nullptr;
    bool m_bTipCreated = false;
    int m_nClickRowWasFocused = -1;  // the focused row before the last press
    CFont m_fontPrint, m_fontPrintBold, m_fontPrintItalic, m_fontPrintUnderline;
    int m_nRowsPerPage = 0;
    CRect m_rcPrintMargins = CRect(0, 0, 0, 0);
    int m_nPrintFlags = 0;
    CString m_strPrintTitle = "Report list control";

    void DeletePrintFonts();
    CRect PrintDrawRect(CDC* pDC);
    void PrintImage(CDC* pDC, CImageList* pImages, int nImage, const CRect& rcCell, UINT nStyle);

    int OwnerCtrlId();
    CWnd* NotifyTarget();
    void CreateFonts();
    void FreeBkImage();
    void RemeasureRows();
    void DrawBackground(CDC* pDC, const CRect& rcClip, int nItem);
    void DrawCells(CDC* pDC, int nItem, const CRect& rcBounds, const CRect& rcLabel, COLORREF clrText,
                   bool bHighlight, bool bFocusRow, bool bCategories);
    int FirstSelected() const;
    BOOL OpenEditorFor(int nRow, int nColumn, BOOL bClickThrough);
    // The font an opened editor takes from the owner's format answer.
    CFont* EditorFont(const CRptCellInfo& info);
    BOOL IsImageCell(int nColumn) const;
    bool MoveCursorKey(UINT nChar);
    void SortRecordset(int nColumn);
    // A bound cell's text as the owner supplies it (LVN_GETDISPINFO), whatever made the row.
    CString RecordsetDisplayText(int nRow, int nSubItem, DWORD_PTR dwItemData);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnEditNavigate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTextColorMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTextBkColorMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBkColorMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetImageListMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
