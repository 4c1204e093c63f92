// CRptListCtrl: construction, set-up, columns, rows and the owner protocol.
#include "SuperListCtrl/RptListCtrl.h"

#include <algorithm>
#include <cstring>
#include <vector>

BEGIN_MESSAGE_MAP(CRptListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDIT, OnEndLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_KEYDOWN, OnKeyDownNotify)
    ON_MESSAGE(WM_RPT_EDITNAVIGATE, OnEditNavigate)
    ON_MESSAGE(LVM_SETTEXTCOLOR, OnSetTextColorMsg)
    ON_MESSAGE(LVM_SETTEXTBKCOLOR, OnSetTextBkColorMsg)
    ON_MESSAGE(LVM_SETBKCOLOR, OnSetBkColorMsg)
    ON_MESSAGE(LVM_SETIMAGELIST, OnSetImageListMsg)
END_MESSAGE_MAP()

CRptListCtrl::CRptListCtrl()
    : m_clrTextKept(::GetSysColor(COLOR_WINDOWTEXT)),
      m_clrHighlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_clrTextBkKept(::GetSysColor(COLOR_WINDOW)),
      m_clrBkKept(::GetSysColor(COLOR_WINDOW)),
      m_clrCategory(::GetSysColor(COLOR_BTNFACE))
{
    m_penLight.CreatePen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
    m_penDark.CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    CreateFonts();
}

CRptListCtrl::~CRptListCtrl()
{
    if (m_tip.GetSafeHwnd() != nullptr)
        m_tip.DestroyWindow();
    FreeBkImage();
    delete m_pColumnManager;
    delete m_pCategoryManager;
}

void CRptListCtrl::CreateFonts()
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    CFont* pStock = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    if (pStock == nullptr || !pStock->GetLogFont(&lf))
        return;
    m_fontNormal.CreateFontIndirect(&lf);
    LOGFONT v = lf;
    v.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&v);
    v = lf;
    v.lfWeight = 700;
    m_fontBold.CreateFontIndirect(&v);
    v = lf;
    v.lfItalic = TRUE;
    m_fontItalic.CreateFontIndirect(&v);
}

int CRptListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_tip.GetSafeHwnd() == nullptr)
        SubclassHeader();
    UpdateScrollBars();
    return 0;
}

void CRptListCtrl::SubclassHeader()
{
    if ((GetStyle() & LVS_TYPEMASK) != LVS_REPORT)
        return;
    CWnd* pHeader = GetDlgItem(0);
    ASSERT(pHeader != nullptr);
    if (pHeader == nullptr)
        return;
    if (m_header.GetSafeHwnd() == nullptr)
        m_header.SubclassWindow(pHeader->GetSafeHwnd());
    TRACE("Header subclassed.\n");
    m_header.SetMoveCallback(&CRptListCtrl::MoveColumn);
    if (m_tip.GetSafeHwnd() == nullptr)
        m_tip.Create(this);
    m_bTipCreated = true;
    ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
}

void CRptListCtrl::ModifyRptStyle(DWORD dwRemove, DWORD dwAdd, UINT nPosFlags)
{
    m_dwStyle &= ~dwRemove;
    m_dwStyle |= dwAdd;
    if (m_hWnd == nullptr)
        return;
    UpdateScrollBars();
    if (nPosFlags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, nPosFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    else
        Invalidate();
}

void CRptListCtrl::ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd, UINT nPosFlags)
{
    DWORD dw = GetExtendedStyle();
    dw &= ~dwRemove;
    dw |= dwAdd;
    SetExtendedStyle(dw);
    if (m_hWnd == nullptr)
        return;
    if (nPosFlags != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, nPosFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    else
        Invalidate();
}

// ---- Columns ------------------------------------------------------------------------------

void CRptListCtrl::ClearColumnMasks()
{
    m_dwComboMask = m_dwComboEditMask = m_dwEditMask = 0;
    m_dwNumericMask = m_dwGroupedMask = m_dwImageColMask = 0;
}

void CRptListCtrl::AddColumnMaskBits(DWORD dwFlags, DWORD dwBit)
{
    if (dwFlags & RPTCOL_COMBO)
        m_dwComboMask |= dwBit;
    if (dwFlags & RPTCOL_COMBOEDIT)
        m_dwComboEditMask |= dwBit;
    if (dwFlags & RPTCOL_EDIT)
        m_dwEditMask |= dwBit;
    if (dwFlags & RPTCOL_NUMERIC)
        m_dwNumericMask |= dwBit;
    if (dwFlags & RPTCOL_GROUPEDNUM)
        m_dwGroupedMask |= dwBit;
    if (dwFlags & RPTCOL_IMAGE)
        m_dwImageColMask |= dwBit;
}

int CRptListCtrl::ColumnId(int nColumn) const
{
    LVCOLUMN col;
    std::memset(&col, 0, sizeof(col));
    col.mask = LVCF_SUBITEM;
    if (!GetColumn(nColumn, &col))
        return -1;
    return col.iSubItem;
}

int CRptListCtrl::InsertRptColumn(int nIndex, LPCTSTR lpszHeading, int nFormat, int nWidth, int nSubItem, DWORD dwFlags)
{
    int nCol = InsertColumn(nIndex, lpszHeading, nFormat, nWidth, nSubItem);
    if (nCol < 0)
        return nCol;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != nullptr && pHeader->GetSafeHwnd() != nullptr)
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_LPARAM;
        item.lParam = nSubItem >= 0 ? nSubItem : nCol;
        pHeader->SetItem(nCol, &item);
    }
    DWORD bit = 1u << (nIndex & 31);
    AddColumnMaskBits(dwFlags, bit);
    if (dwFlags & RPTCOL_SORTABLE)
        m_header.m_dwAscendingMask |= bit;
    if (dwFlags & RPTCOL_NOSORTMARK)
        m_header.m_dwNoMarkMask |= bit;
    if (dwFlags & RPTCOL_FIXEDWIDTH)
        m_header.m_dwLockedMask |= bit;
    return nCol;
}

CRptColumnManager* CRptListCtrl::CreateColumnManager()
{
    delete m_pColumnManager;
    m_pColumnManager = new CRptColumnManager;
    return m_pColumnManager;
}

void CRptListCtrl::ApplyColumns()
{
    ASSERT(m_pColumnManager != nullptr);
    if (m_pColumnManager != nullptr)
        m_pColumnManager->ApplyToList(this);
}

void CRptListCtrl::ReadColumnsFromList()
{
    ASSERT(m_pColumnManager != nullptr);
    if (m_pColumnManager != nullptr)
        m_pColumnManager->ReadFromList(this);
}

void CRptListCtrl::DeleteAllColumns()
{
    for (int i = GetColumnCount() - 1; i >= 0; --i)
        DeleteColumn(i);
}

void CRptListCtrl::RemeasureRows()
{
    if (m_hWnd == nullptr)
        return;
    CRect rc;
    GetWindowRect(&rc);
    WINDOWPOS wp;
    std::memset(&wp, 0, sizeof(wp));
    wp.hwnd = m_hWnd;
    wp.cx = rc.Width();
    wp.cy = rc.Height();
    wp.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

void CRptListCtrl::SetItemHeight(int nHeight, BOOL bForCategories)
{
    if (bForCategories)
        m_nCategoryRowHeight = nHeight;
    else
        m_nRowHeight = nHeight;
    RemeasureRows();
}

void CRptListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS == nullptr)
        return;
    lpMIS->itemHeight = static_cast<UINT>(HasCategories() ? m_nCategoryRowHeight : m_nRowHeight + m_nBandHeight);
}

void CRptListCtrl::SetHeaderImageList(CImageList* pImageList)
{
    m_header.SetHeaderImageList(pImageList);
}

void CRptListCtrl::SetHeaderFlag(BYTE bDrag)
{
    m_header.EnableDrag(bDrag != 0);
}

void CRptListCtrl::SetColumnImage(int nColumn, int nImage)
{
    ASSERT(m_header.GetSafeHwnd() != nullptr);
    if (m_header.GetSafeHwnd() == nullptr)
        return;
    CString title;
    title.Format("%d_", nImage);
    HDITEM item;
    std::memset(&item, 0, sizeof(item));
    item.mask = HDI_FORMAT;
    m_header.GetItem(nColumn, &item);
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.fmt |= HDF_OWNERDRAW;
    item.pszText = const_cast<LPSTR>(static_cast<LPCTSTR>(title));
    m_header.SetItem(nColumn, &item);
}

BOOL CRptListCtrl::IsImageCell(int nColumn) const
{
    // The mask is kept by column id, which a moved column takes along.
    int nId = ColumnId(nColumn);
    return (m_dwStyle & RPTS_IMAGECELLS) && nId >= 0 && (m_dwImageColMask & (1u << (nId & 31)));
}

void CRptListCtrl::SetItemInt(int nRow, int nColumn, int nValue)
{
    ASSERT(IsImageCell(nColumn));
    if (!IsImageCell(nColumn))
        return;
    CString s;
    s.Format("%d", nValue);
    SetItemText(nRow, ColumnId(nColumn), s);
}

// ---- Rows ---------------------------------------------------------------------------------

int CRptListCtrl::InsertItemEx(int nIndex, DWORD_PTR dwItemData)
{
    if (m_pCategoryManager != nullptr)
        return m_pCategoryManager->AddRow(this, dwItemData);
    return InsertItem(LVIF_TEXT | LVIF_PARAM, nIndex, LPSTR_TEXTCALLBACK, 0, 0, 0, static_cast<LPARAM>(dwItemData));
}

bool CRptListCtrl::IsCategoryRow(int nRow) const
{
    return m_pCategoryManager != nullptr && nRow >= 0 && nRow < GetItemCount() &&
           m_pCategoryManager->IndexOfCategory(static_cast<DWORD_PTR>(GetItemData(nRow))) >= 0;
}

BOOL CRptListCtrl::DeleteItemEx(int nRow, DWORD_PTR dwItemData)
{
    if (m_pCategoryManager == nullptr || IsCategoryRow(nRow))
        return DeleteItem(nRow);
    BOOL bAny = FALSE;
    for (int i = GetItemCount() - 1; i >= 0; --i)
        if (static_cast<DWORD_PTR>(GetItemData(i)) == dwItemData)
            bAny = DeleteItem(i) || bAny;
    return bAny;
}

void CRptListCtrl::SetCellText(int nRow, int nColumn, DWORD_PTR dwItemData, LPCTSTR lpszText)
{
    // Cells are kept by sub-item, which a column keeps when it is moved.
    int nSub = ColumnId(nColumn);
    if (nSub < 0)
        return;
    if (m_pCategoryManager == nullptr)
    {
        SetItemText(nRow, nSub, lpszText);
        return;
    }
    for (int i = 0; i < GetItemCount(); ++i)
        if (static_cast<DWORD_PTR>(GetItemData(i)) == dwItemData)
            SetItemText(i, nSub, lpszText);
}

void CRptListCtrl::ResetCellText(int nRow, int nColumn, DWORD_PTR dwItemData)
{
    SetCellText(nRow, nColumn, dwItemData, LPSTR_TEXTCALLBACK);
}

void CRptListCtrl::GetCellText(int nRow, int nColumn, CString& text, DWORD_PTR dwItemData, BOOL bHaveItemData)
{
    if (m_pfnCellText != nullptr)
    {
        if (!bHaveItemData)
            dwItemData = static_cast<DWORD_PTR>(GetItemData(nRow));
        text.Empty();
        (NotifyTarget()->*m_pfnCellText)(nRow, ColumnId(nColumn), dwItemData, text);
        return;
    }
    if (m_bRecordsetMode && !IsCategoryRow(nRow))
    {
        if (!bHaveItemData)
            dwItemData = static_cast<DWORD_PTR>(GetItemData(nRow));
        text = RecordsetDisplayText(nRow, ColumnId(nColumn), dwItemData);
        return;
    }
    int nSub = ColumnId(nColumn);
    text = nSub >= 0 ? GetItemText(nRow, nSub) : CString();
}

CString CRptListCtrl::GetCellText(int nRow, int nColumn)
{
    CString s;
    GetCellText(nRow, nColumn, s);
    return s;
}

// ---- Categories ---------------------------------------------------------------------------

CRptCategoryManager* CRptListCtrl::CreateCategoryManager()
{
    ASSERT(m_pCategoryManager == nullptr);
    if (m_pCategoryManager == nullptr)
        m_pCategoryManager = new CRptCategoryManager;
    return m_pCategoryManager;
}

void CRptListCtrl::EnableCategories(BOOL bOn)
{
    if (bOn)
    {
        RPT_CATEGORYPROC pfn = m_bRecordsetMode ? m_pfnRecordsetCategory : m_pfnCategory;
        ASSERT(pfn != nullptr);
        if (pfn == nullptr)
            return;
        CRptCategoryManager* pManager = m_pCategoryManager != nullptr ? m_pCategoryManager : CreateCategoryManager();
        pManager->m_lUser = reinterpret_cast<LPARAM>(GetParent());
        pManager->m_pfnRow = pfn;
        LVCOLUMN col;
        std::memset(&col, 0, sizeof(col));
        col.mask = LVCF_SUBITEM | LVCF_WIDTH;
        if (GetColumn(0, &col) && col.iSubItem == 0 && col.cx == 0)
            SetColumnWidth(0, 18);
        pManager->Build(this);
    }
    else if (m_pCategoryManager != nullptr)
    {
        HDITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = HDI_LPARAM | HDI_WIDTH;
        if (m_header.GetSafeHwnd() != nullptr && m_header.GetItem(0, &item) && item.lParam == 0 && item.cxy == 18)
            SetColumnWidth(0, 0);
        m_pCategoryManager->Dissolve(this);
        delete m_pCategoryManager;
        m_pCategoryManager = nullptr;
    }
    RemeasureRows();
    SetFocus();
}

// ---- Owner protocol -----------------------------------------------------------------------

int CRptListCtrl::OwnerCtrlId()
{
    return m_nCtrlId != -1 ? m_nCtrlId : GetDlgCtrlID();
}

CWnd* CRptListCtrl::NotifyTarget()
{
    return m_pNotifyWnd != nullptr ? m_pNotifyWnd : GetParent();
}

LRESULT CRptListCtrl::NotifyOwner(CRptCellInfo* pInfo)
{
    if (pInfo == nullptr)
        return 0;
    if (m_pfnCellFormat != nullptr)
    {
        CWnd* pParent = GetParent();
        return pParent != nullptr ? (pParent->*m_pfnCellFormat)(pInfo) : 0;
    }
    CWnd* pTarget = NotifyTarget();
    return pTarget != nullptr ? pTarget->SendMessage(WM_RPT_CELLINFO, 0, reinterpret_cast<LPARAM>(pInfo)) : 0;
}

BOOL CRptListCtrl::WantsCellFormat(int nColumn) const
{
    if (!(m_dwStyle & RPTS_CELLFORMAT))
        return FALSE;
    if (m_dwStyle & RPTS_ROWFORMAT)
        return nColumn == 0;
    return TRUE;
}

void CRptListCtrl::ApplyCellFormat(CDC* pDC, CRptCellInfo* pInfo)
{
    pInfo->m_nFlags = 0;
    if (!NotifyOwner(pInfo))
        return;
    int f = pInfo->m_nFlags;
    if ((f & RPT_FMT_FONT) && pInfo->m_hFont != nullptr)
        ::SelectObject(pDC->GetSafeHdc(), pInfo->m_hFont);
    else if (f & RPT_FMT_BOLD)
        pDC->SelectObject(&m_fontBold);
    else if (f & RPT_FMT_ITALIC)
        pDC->SelectObject(&m_fontItalic);
    else if (f & RPT_FMT_UNDERLINE)
        pDC->SelectObject(&m_fontUnderline);
    else
        pDC->SelectObject(&m_fontNormal);
    if (f & RPT_FMT_COLOR)
        pDC->SetTextColor(pInfo->m_clrText);
}

// ---- Text fitting -------------------------------------------------------------------------

BOOL CRptListCtrl::FitText(CDC* pDC, CString& text, int nWidth, int nOffset) const
{
    int nAvail = nWidth - nOffset;
    if (pDC == nullptr || pDC->GetTextExtent(text).cx <= nAvail)
        return FALSE;
    // Character boundaries (a double-byte character is never split); the longest prefix
    // that fits with the ellipsis is found by halving.
    const unsigned char* p = reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(text));
    std::vector<int> ends;
    ends.push_back(0);
    for (const unsigned char* q = p; *q != 0;)
    {
        q = _mbsinc(q);
        ends.push_back(static_cast<int>(q - p));
    }
    auto fits = [&](int nBytes) {
        CString s = text.Left(nBytes) + "...";
        return pDC->GetTextExtent(s).cx <= nAvail;
    };
    size_t lo = 0, hi = ends.size() - 1;  // ends[lo] fits (or is the empty prefix)
    while (lo < hi)
    {
        size_t mid = (lo + hi + 1) / 2;
        if (fits(ends[mid]))
            lo = mid;
        else
            hi = mid - 1;
    }
    text = text.Left(ends[lo]) + "...";
    return TRUE;
}

BOOL CRptListCtrl::FitText(CDC* pDC, LPCTSTR lpszText, CString& result, int nWidth, int nOffset) const
{
    result = lpszText != nullptr ? lpszText : "";
    return FitText(pDC, result, nWidth, nOffset);
}

// ---- Colour messages ----------------------------------------------------------------------

LRESULT CRptListCtrl::OnSetTextColorMsg(WPARAM wParam, LPARAM lParam)
{
    m_clrTextKept = static_cast<COLORREF>(lParam);
    return DefWindowProc(LVM_SETTEXTCOLOR, wParam, lParam);
}

LRESULT CRptListCtrl::OnSetTextBkColorMsg(WPARAM wParam, LPARAM lParam)
{
    m_clrTextBkKept = static_cast<COLORREF>(lParam);
    return DefWindowProc(LVM_SETTEXTBKCOLOR, wParam, lParam);
}

LRESULT CRptListCtrl::OnSetBkColorMsg(WPARAM wParam, LPARAM lParam)
{
    m_clrBkKept = static_cast<COLORREF>(lParam);
    return DefWindowProc(LVM_SETBKCOLOR, wParam, lParam);
}

LRESULT CRptListCtrl::OnSetImageListMsg(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<int>(wParam) == LVSIL_STATE)
    {
        int cx = 0, cy = 0;
        HIMAGELIST h = reinterpret_cast<HIMAGELIST>(lParam);
        m_nStateImageWidth = h != nullptr && ::ImageList_GetIconSize(h, &cx, &cy) ? cx : 0;
    }
    return DefWindowProc(LVM_SETIMAGELIST, wParam, lParam);
}
