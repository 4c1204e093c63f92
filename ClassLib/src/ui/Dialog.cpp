// CDialog: dialogs from templates, modal and modeless, with data exchange.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "ControlClasses.h"
#include "DialogUnits.h"
#include "Backend.h"
#include "Scripts.h"
#include "WndInternal.h"

#include <QFont>
#include <QTimer>

#include <cstring>

namespace pc {
void RegisterDialogClass();
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
{
    Construct(nullptr, nullptr);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
    m_nIDHelp = nIDTemplate;
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    Construct(lpszTemplateName, pParentWnd);
}

void CDialog::Construct(LPCTSTR name, CWnd* pParent)
{
    m_nIDHelp = 0;
    m_lpDialogTemplate = nullptr;
    m_pParentWnd = pParent;
    m_sizeBaseUnits = CSize(0, 0);
    m_bLockNotify = FALSE;
    m_bModal = FALSE;
    if (name && !IS_INTRESOURCE(name)) {
        m_strTemplateName = name;
        m_lpszTemplateName = m_strTemplateName;
    } else {
        m_lpszTemplateName = name;
    }
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

const AFX_DLG_TEMPLATE* CDialog::FindTemplate() const
{
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (!m_lpszTemplateName)
        return nullptr;
    return static_cast<const AFX_DLG_TEMPLATE*>(AfxFindResource(m_lpszTemplateName, RT_DIALOG));
}

CWnd* AfxGetModalOwner(CWnd* pParent)
{
    CWnd* p = pParent ? pParent : AfxGetMainWnd();
    if (p && p->GetSafeHwnd()) {
        CWnd* top = p->GetTopLevelParent();
        if (!top)
            top = p;
        // A window that waits for a modal dialog of its own hands the new one to that
        // dialog: it is the one to wait now, and the one that comes back after.
        if (!top->IsWindowEnabled())
            if (HWND hPopup = AfxEnabledPopupOf(top->GetSafeHwnd()))
                return CWnd::FromHandle(hPopup);
        return top;
    }
    return nullptr;
}

BOOL CDialog::CreateDlgIndirect(const AFX_DLG_TEMPLATE* tpl, CWnd* pParentWnd)
{
    if (!tpl) {
        TRACE("Error: a dialog has no template.\n");
        return FALSE;
    }
    AfxEnsureApplication();
    pc::RegisterDialogClass();

    // The font, and the dialog units that come from it.
    LOGFONT lf = {};
    const bool hasFont = (tpl->dwStyle & DS_SETFONT) && tpl->pszFont;
    lf.lfHeight = -::MulDiv(hasFont && tpl->wPointSize ? tpl->wPointSize : 9, 96, 72);
    lf.lfWeight = hasFont ? tpl->wWeight : FW_NORMAL;
    lf.lfItalic = hasFont ? tpl->bItalic : 0;
    lf.lfCharSet = hasFont ? tpl->bCharSet : GB2312_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    // "宋体" unless the template names its own face.
    const char* face = hasFont ? tpl->pszFont : "\xCB\xCE\xCC\xE5";
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    QSize base = pc::BaseUnits(AfxQFont(lf));
    m_sizeBaseUnits = CSize(base.width(), base.height());

    DWORD style = tpl->dwStyle & ~(DS_SETFONT | WS_VISIBLE);
    const bool child = (style & WS_CHILD) != 0;
    RECT rc = {tpl->x, tpl->y, tpl->x + tpl->cx, tpl->y + tpl->cy};
    pc::MapDialogUnits(rc, base);
    RECT outer = {0, 0, rc.right - rc.left, rc.bottom - rc.top};
    ::AdjustWindowRectEx(&outer, style, FALSE, tpl->dwExStyle);
    HWND hParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    int x = child ? rc.left : 0, y = child ? rc.top : 0;
    if (!CreateEx(tpl->dwExStyle, WC_DIALOG, tpl->pszCaption ? tpl->pszCaption : "", style, x, y,
                  outer.right - outer.left, outer.bottom - outer.top, hParent, nullptr)) {
        TRACE("Error: a dialog window could not be created.\n");
        return FALSE;
    }
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);

    // The controls, in template order (which is the tab order).
    int defId = 0;
    for (size_t i = 0; i < tpl->nItems; ++i) {
        const AFX_DLG_ITEM& it = tpl->pItems[i];
        RECT r = {it.x, it.y, it.x + it.cx, it.y + it.cy};
        pc::MapDialogUnits(r, base);
        const char* cls = it.pszClass && *it.pszClass ? it.pszClass : WC_STATIC;
        const bool isCombo = _stricmp(cls, WC_COMBOBOX) == 0;
        HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(it.nID == IDC_STATIC ? 0xFFFF : it.nID));
        HWND h = ::CreateWindowEx(it.dwExStyle, cls, it.pszText ? it.pszText : "", it.dwStyle | WS_CHILD, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, m_hWnd, id, nullptr, nullptr);
        if (!h) {
            // A class nobody registered: the dialog keeps its place with an empty window.
            TRACE("Warning: dialog control class '%s' is unknown; an empty window stands in.\n", cls);
            h = ::CreateWindowEx(it.dwExStyle, AFX_WND_CLASS, "", (it.dwStyle & (WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP)) | WS_CHILD,
                                 r.left, r.top, r.right - r.left, r.bottom - r.top, m_hWnd, id, nullptr, nullptr);
            if (!h)
                continue;
        }
        ::SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
        if (isCombo) {
            // A combo box's template height is its dropped list's; the box is one line high.
            if (QWidget* w = AfxGetWidget(h)) {
                int height = w->sizeHint().height();
                ::MoveWindow(h, r.left, r.top, r.right - r.left, height, FALSE);
            }
        }
        if (it.pszInitItems) {
            UINT add = _stricmp(cls, WC_LISTBOX) == 0 ? LB_ADDSTRING : CB_ADDSTRING;
            const char* p = it.pszInitItems;
            while (*p) {
                const char* e = std::strchr(p, '\n');
                CString item(p, e ? static_cast<int>(e - p) : static_cast<int>(std::strlen(p)));
                ::SendMessage(h, add, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(item)));
                if (!e)
                    break;
                p = e + 1;
            }
        }
        if (_stricmp(cls, WC_BUTTON) == 0 && (it.dwStyle & 0x0F) == BS_DEFPUSHBUTTON && !defId)
            defId = it.nID;
    }
    if (defId)
        ::SetProp(m_hWnd, "pc.dialog.defid", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(defId)));

    OnSetFont(&m_font);
    CWnd* first = GetNextDlgTabItem(nullptr);
    LRESULT focusDefault = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first ? first->GetSafeHwnd() : nullptr), 0);
    if (!::IsWindow(m_hWnd))
        return FALSE;
    if (!child) {
        if ((tpl->dwStyle & DS_CENTER) || m_bModal)
            CenterWindow(m_pParentWnd ? m_pParentWnd : pParentWnd);
    }
    if ((tpl->dwStyle & WS_VISIBLE) || m_bModal)
        ShowWindow(SW_SHOW);
    if (focusDefault) {
        CWnd* f = GetNextDlgTabItem(nullptr);
        if (f)
            GotoDlgCtrl(f);
    }
    return TRUE;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    Construct(lpszTemplateName, pParentWnd ? pParentWnd : m_pParentWnd);
    m_bModal = FALSE;
    const AFX_DLG_TEMPLATE* tpl = FindTemplate();
    if (!tpl) {
        TRACE("Error: dialog template not found.\n");
        return FALSE;
    }
    return CreateDlgIndirect(tpl, m_pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(const AFX_DLG_TEMPLATE* lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    return CreateDlgIndirect(lpDialogTemplate, m_pParentWnd);
}

BOOL CDialog::InitModalIndirect(const AFX_DLG_TEMPLATE* lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR AfxDoModalWindow(CWnd* pWnd, CWnd* pOwner, const std::function<BOOL()>& create, UINT nIDTemplate,
                         const std::function<int()>& result)
{
    AfxModalRecord record;
    record.nIDTemplate = nIDTemplate;
    if (pWnd && pWnd->GetRuntimeClass())
        record.strClassName = pWnd->GetRuntimeClass()->m_lpszClassName;
    std::optional<pc::ModalEntry> entry = pc::NextModalEntry();
    if (entry && !entry->script) {
        // A fixed answer: the person answered at once, without the window showing.
        record.nResult = entry->nResult;
        pc::LogModal(record);
        return entry->nResult;
    }
    const bool headless = !pc::TheBackend().CanAskPerson();
    if (!entry && headless)
        AfxReportTestFailure("a modal dialog ran without a script on a headless platform; it was cancelled");

    HWND hOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    const bool ownerWasEnabled = hOwner && ::IsWindowEnabled(hOwner);
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, FALSE);
    INT_PTR nResult = -1;
    // Set before the window exists, so that EndDialog during the initialisation ends the
    // dialog before its loop starts.
    pWnd->m_nFlags |= WF_CONTINUEMODAL;
    AfxMarkNextTopLevelModal(true);
    const BOOL created = create();
    AfxMarkNextTopLevelModal(false);
    if (created) {
        CString caption;
        pWnd->GetWindowText(caption);
        record.strCaption = caption;
        if (pWnd->m_nFlags & WF_CONTINUEMODAL) {
            if (entry || headless) {
                // The script runs inside the modal loop, so that posted messages and
                // nested modal calls behave as they do for a person.
                HWND h = pWnd->GetSafeHwnd();
                auto script = entry ? entry->script : AfxModalScript();
                record.bScripted = static_cast<bool>(script);
                bool* leftOpen = &record.bLeftOpen;
                QTimer::singleShot(0, [pWnd, h, script, leftOpen] {
                    if (script && ::IsWindow(h))
                        script(pWnd);
                    AfxPumpMessages();
                    if (::IsWindow(h) && CWnd::FromHandlePermanent(h) == pWnd && (pWnd->m_nFlags & WF_CONTINUEMODAL)) {
                        // Left open: cancelled as by the Escape key.
                        *leftOpen = static_cast<bool>(script);
                        ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                        if (::IsWindow(h) && (pWnd->m_nFlags & WF_CONTINUEMODAL))
                            pWnd->EndModalLoop(IDCANCEL);
                    }
                });
            }
            nResult = pWnd->RunModalLoop(0);
        } else {
            nResult = result();
        }
    }
    pWnd->m_nFlags &= ~WF_CONTINUEMODAL;
    if (ownerWasEnabled)
        ::EnableWindow(hOwner, TRUE);
    if (pWnd->GetSafeHwnd()) {
        pWnd->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (hOwner && ::GetActiveWindow() == pWnd->GetSafeHwnd())
            ::SetActiveWindow(hOwner);
        pWnd->DestroyWindow();
    }
    record.nResult = nResult;
    pc::LogModal(record);
    return nResult;
}

INT_PTR CDialog::DoModal()
{
    const AFX_DLG_TEMPLATE* tpl = FindTemplate();
    if (!tpl) {
        TRACE("Error: dialog template not found.\n");
        return -1;
    }
    CWnd* pOwner = AfxGetModalOwner(m_pParentWnd);
    m_bModal = TRUE;
    UINT id = IS_INTRESOURCE(m_lpszTemplateName) && !m_lpDialogTemplate
                  ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(m_lpszTemplateName))
                  : 0;
    INT_PTR r = AfxDoModalWindow(this, pOwner, [&] { return CreateDlgIndirect(tpl, pOwner); }, id,
                                 [this] { return m_nModalResult; });
    m_bModal = FALSE;
    return r;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        m_nModalResult = nResult;
    if (!m_bModal && m_hWnd)
        ShowWindow(SW_HIDE);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    pc::MapDialogUnits(*lpRect, QSize(m_sizeBaseUnits.cx ? m_sizeBaseUnits.cx : 1, m_sizeBaseUnits.cy ? m_sizeBaseUnits.cy : 1));
}

void CDialog::NextDlgCtrl() const
{
    CWnd* next = GetNextDlgTabItem(CWnd::GetFocus(), FALSE);
    if (next)
        const_cast<CDialog*>(this)->GotoDlgCtrl(next);
}

void CDialog::PrevDlgCtrl() const
{
    CWnd* prev = GetNextDlgTabItem(CWnd::GetFocus(), TRUE);
    if (prev)
        const_cast<CDialog*>(this)->GotoDlgCtrl(prev);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (!pWndCtrl || !pWndCtrl->GetSafeHwnd())
        return;
    pWndCtrl->SetFocus();
    if (pWndCtrl->SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL)
        pWndCtrl->SendMessage(EM_SETSEL, 0, -1);
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(const_cast<CDialog*>(this)->SendMessage(DM_GETDEFID, 0, 0));
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    const BOOL wasLocked = m_bLockNotify;
    m_bLockNotify = TRUE;  // controls the exchange changes do not notify the dialog
    BOOL ok = FALSE;
    try {
        DoDataExchange(&dx);
        ok = TRUE;
    } catch (CUserException* e) {
        e->Delete();  // the user was told already
    } catch (CException* e) {
        TRACE("Error: an exception during data exchange.\n");
        e->Delete();
    }
    m_bLockNotify = wasLocked;
    return ok;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_bLockNotify && lParam != 0 && HIWORD(wParam) != BN_CLICKED)
        return TRUE;  // a control's notification while data is exchanged
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_bLockNotify)
        return TRUE;
    return CWnd::OnNotify(wParam, lParam, pResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    // Members to controls; a failure here is the program's, not the person's.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        TRACE("UpdateData failed during dialog termination.\n");
        return;  // the dialog stays open on the field that failed
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnClose()
{
    Default();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || !pMsg)
        return FALSE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}
