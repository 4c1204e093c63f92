// CDialog: a window built from a dialog template, modal (DoModal) or modeless (Create).
// The dialog manager handles Tab and the arrow keys (asking each control's
// WM_GETDLGCODE), Enter (the default button, else IDOK) and Escape (IDCANCEL).
// Property pages and sheets build on the same template and modal machinery.
#pragma once

#include <ClassLib/Dialogs/DataExchange.h>
#include <ClassLib/Dialogs/DialogTemplate.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Wnd/Wnd.h>

#include <functional>

// The window class of dialogs.
#define WC_DIALOG "#32770"

class AFX_EXT_CLASS CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(const AFX_DLG_TEMPLATE* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal: the result EndDialog gave, or -1 when the dialog could not be made.
    BOOL InitModalIndirect(const AFX_DLG_TEMPLATE* lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();

    void EndDialog(int nResult);
    void MapDialogRect(LPRECT lpRect) const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }
    // The dialog's base units (pixels for 4 horizontal and 8 vertical dialog units).
    CSize GetBaseUnits() const { return m_sizeBaseUnits; }

    // Data exchange: controls to members (TRUE, with checks) or members to controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The template named by the dialog, in the modules' search order; NULL when none.
    const AFX_DLG_TEMPLATE* FindTemplate() const;

    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    const AFX_DLG_TEMPLATE* m_lpDialogTemplate;
    CWnd* m_pParentWnd;

protected:
    // Builds the window and its controls from the template and initialises it
    // (WM_INITDIALOG); pParentWnd is the owner, or the parent of a child template (a
    // property page). Shared by modal and modeless dialogs and by pages.
    BOOL CreateDlgIndirect(const AFX_DLG_TEMPLATE* lpDialogTemplate, CWnd* pParentWnd);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void OnClose();

    CFont m_font;
    CSize m_sizeBaseUnits;
    BOOL m_bLockNotify;
    BOOL m_bModal;

    DECLARE_MESSAGE_MAP()

private:
    void Construct(LPCTSTR name, CWnd* pParent);
    CString m_strTemplateName;
};

// The dialog manager's keys for a dialog window: TRUE when the message was a key the
// dialog took (Tab, Enter, Escape, arrows the focus control does not want).
AFX_EXT_API BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
// The dialog window procedure: default ids, closing as Cancel, then DefWindowProc.
AFX_EXT_API LRESULT CALLBACK DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam);
AFX_EXT_API LONG GetDialogBaseUnits();

// Runs a window modally as CDialog::DoModal does, for other modal windows (property
// sheets): takes the next test script, calls create (which makes and shows the window),
// runs the script or the modal loop, destroys the window and gives the owner back its
// input. pWnd ends the loop with EndModalLoop; result gives the window's result when it
// ended before its loop began. A fixed scripted result skips create.
AFX_EXT_API INT_PTR AfxDoModalWindow(CWnd* pWnd, CWnd* pOwner, const std::function<BOOL()>& create, UINT nIDTemplate,
                                     const std::function<int()>& result);
// The owner a modal window of pParent gets: pParent's top-level window, or the main window.
AFX_EXT_API CWnd* AfxGetModalOwner(CWnd* pParent);
