// Property sheets and wizards. A sheet shows its pages one at a time: under tabs, or as a
// wizard with Back/Next/Finish (ids 12323-12325). Pages are dialogs from child templates,
// made when first shown. The Wizard97 form adds a header (title and subtitle of the page,
// the header bitmap) to interior pages and the watermark to exterior ones.
//
//   CPropertySheet sheet("Options");
//   sheet.AddPage(&page1);          // pages outlive the sheet's window
//   sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
//   if (sheet.DoModal() == IDOK) ...
//
// OK deactivates the current page (OnKillActive) and applies every page that was made
// (OnApply, which calls OnOK); Cancel asks the current page (OnQueryCancel) and resets the
// pages (OnReset, which calls OnCancel). The buttons go through the sheet's OnCommand.
#pragma once

#include <ClassLib/Controls/TabCtrl.h>
#include <ClassLib/Dialogs/Dialog.h>

#include <vector>

class CPropertySheet;

#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001
#define PSP_USEHICON 0x00000002
#define PSP_USEICONID 0x00000004
#define PSP_USETITLE 0x00000008
#define PSP_RTLREADING 0x00000010
#define PSP_HASHELP 0x00000020
#define PSP_USEREFPARENT 0x00000040
#define PSP_USECALLBACK 0x00000080
#define PSP_PREMATURE 0x00000400
#define PSP_HIDEHEADER 0x00000800
#define PSP_USEHEADERTITLE 0x00001000
#define PSP_USEHEADERSUBTITLE 0x00002000

#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001
#define PSH_USEHICON 0x00000002
#define PSH_USEICONID 0x00000004
#define PSH_PROPSHEETPAGE 0x00000008
#define PSH_WIZARDHASFINISH 0x00000010
#define PSH_WIZARD 0x00000020
#define PSH_USEPSTARTPAGE 0x00000040
#define PSH_NOAPPLYNOW 0x00000080
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200
#define PSH_MODELESS 0x00000400
#define PSH_RTLREADING 0x00000800
#define PSH_WIZARDCONTEXTHELP 0x00001000
#define PSH_WIZARD97 0x00002000
#define PSH_WATERMARK 0x00008000
#define PSH_USEHBMWATERMARK 0x00010000
#define PSH_USEHPLWATERMARK 0x00020000
#define PSH_STRETCHWATERMARK 0x00040000
#define PSH_HEADER 0x00080000
#define PSH_USEHBMHEADER 0x00100000
#define PSH_USEPAGELANG 0x00200000

#define PSWIZB_BACK 0x00000001
#define PSWIZB_NEXT 0x00000002
#define PSWIZB_FINISH 0x00000004
#define PSWIZB_DISABLEDFINISH 0x00000008

#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6

#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)

#define PSM_QUERYSIBLINGS (WM_USER + 108)

#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif
#ifndef IDHELP
#define IDHELP 9
#endif

typedef struct _PSHNOTIFY
{
    NMHDR hdr;
    LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

// What a page is made from (the parts this system uses).
struct PROPSHEETPAGE
{
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    LPCTSTR pszTemplate;
    LPCTSTR pszTitle;
    LPCTSTR pszHeaderTitle;
    LPCTSTR pszHeaderSubTitle;
    LPARAM lParam;
};
struct PROPSHEETHEADER
{
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    HINSTANCE hInstance;
    LPCTSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
    HBITMAP hbmWatermark;
    HPALETTE hplWatermark;
    HBITMAP hbmHeader;
};

class AFX_EXT_CLASS CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp;

    // Enables the sheet's Apply button (bChanged) or clears this page's mark.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }
    void CancelToClose();
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    CPropertySheet* GetSheet() const { return m_pSheet; }
    // The tab text: the title set, else the template's caption.
    CString GetPageTitle() const;
    UINT GetTemplateID() const { return m_nIDTemplate; }

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // 0: the next (previous) page; -1: stay; another value: the page of that template id.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();
    void OnOK() override;
    void OnCancel() override;

    // Made by the sheet inside its page area.
    BOOL CreatePage(CPropertySheet* pSheet);

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    friend class CPropertySheet;
    CPropertySheet* m_pSheet;
    UINT m_nIDTemplate;
    UINT m_nIDCaption;
    CString m_strCaption;
    CString m_strHeaderTitle;
    CString m_strHeaderSubTitle;
    BOOL m_bModified;
    BOOL m_bFirstSetActive;
    AFX_DLG_TEMPLATE m_childTemplate;  // the template as a child window

    DECLARE_MESSAGE_MAP()
};

class AFX_EXT_CLASS CPropertyPageEx : public CPropertyPage
{
    DECLARE_DYNAMIC(CPropertyPageEx)
public:
    CPropertyPageEx();
    explicit CPropertyPageEx(UINT nIDTemplate, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0, UINT nIDHeaderSubTitle = 0);
    explicit CPropertyPageEx(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0,
                             UINT nIDHeaderSubTitle = 0);
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0, UINT nIDHeaderSubTitle = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, UINT nIDHeaderTitle = 0, UINT nIDHeaderSubTitle = 0);
};

class AFX_EXT_CLASS CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    PROPSHEETHEADER m_psh;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;

    void SetWizardMode();
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }
    void SetWizardButtons(DWORD dwFlags);
    DWORD GetWizardButtons() const { return m_dwWizButtons; }
    void SetFinishText(LPCTSTR lpszText);
    // As if the user pressed the button.
    BOOL PressButton(int nButton);

    virtual INT_PTR DoModal();
    // Modeless.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    void EndDialog(int nEndID);
    virtual BOOL OnInitDialog();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;

    // Layout (pixels): the page area and where the buttons and the header lie.
    CRect GetPageRect() const { return m_rectPage; }
    enum { kMargin = 7, kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 6, kHeaderHeight = 58 };

    CWnd* m_pParentWnd;
    BOOL m_bModeless;

protected:
    std::vector<CPropertyPage*> m_pages;
    int m_nCurPage;
    UINT m_nStartPage;
    CString m_strCaption;
    CTabCtrl m_tab;
    DWORD m_dwWizButtons;
    CString m_strFinishText;
    CRect m_rectPage;
    CRect m_rectHeader;
    CRect m_rectWatermark;
    int m_nModalResult;
    BOOL m_bFinishShown;
    std::vector<CWnd*> m_buttons;
    CFont m_font;
    // A wizard header's title line height, and the header's height for a header that wide:
    // room for the bold title and every interior page's wrapped subtitle.
    int m_cyHeaderTitle = 16;
    int HeaderHeightFor(int cxHeader);

    BOOL CreateSheetWindow(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle, BOOL bModal);
    void LayoutSheet();
    void CreateButtons();
    CWnd* AddButton(UINT nID, LPCTSTR lpszText, const CRect& rc, BOOL bDefault);
    void UpdateButtons();
    BOOL ActivatePage(int nPage, BOOL bForward);
    LRESULT SendPageNotify(CPropertyPage* pPage, int nCode);
    BOOL ApplyAll();
    void ResetAll();
    BOOL IsInterior(int nPage) const;
    int FindPageByTemplate(UINT nID) const;
    CSize PageSizeOf(CPropertyPage* pPage, CSize base) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnClose();
    // Every page that was created goes through its own DestroyWindow before the sheet goes
    // (PropertySheetDestroy.cpp).
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetDefID(WPARAM, LPARAM);

    friend class CPropertyPage;
    DECLARE_MESSAGE_MAP()
};

class AFX_EXT_CLASS CPropertySheetEx : public CPropertySheet
{
    DECLARE_DYNAMIC(CPropertySheetEx)
public:
    CPropertySheetEx();
    CPropertySheetEx(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0, HBITMAP hbmWatermark = NULL,
                     HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
    CPropertySheetEx(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0, HBITMAP hbmWatermark = NULL,
                     HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0, HBITMAP hbmWatermark = NULL,
                   HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0, HBITMAP hbmWatermark = NULL,
                   HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
};
