// Helpers of the document browser's tests: a parent window that records the private
// messages its child sends, a list control with its inner state open to the tests, the
// product-data server setting, a temporary download folder, and a browser window opened
// through a document template in an MDI main frame.
#pragma once

#include <LumoDocMDIFrame.h>
#include <PdmDocListCtrl.h>
#include <PdmDocListView.h>
#include <PdmTreeView.h>

#include <Pdm/FakePdm.h>
#include <Pdm/PdmFactory.h>
#include <Pdm/PdmSettings.h>

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/Frames/MDIWnd.h>
#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Shell/Shell.h>
#include <ClassLib/Testing.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// One private message as a parent window received it.
struct BrowserMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window that records the messages 0xF55-0xF6E sent to it.
class CRecordingParent : public CWnd
{
public:
    BOOL CreateParent(int cx = 640, int cy = 400)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, cx, cy),
                        NULL, 0);
    }
    std::vector<BrowserMessage> messages;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message >= WM_PDMTREE_SELCHANGED && message <= WM_PDMDOCVIEW_VIEWCHANGE) {
            messages.push_back({message, wParam, lParam});
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// The list control with its inner state open to the tests.
class CTestDocList : public CPdmDocListCtrl
{
public:
    using CPdmDocListCtrl::m_arrClassId;
    using CPdmDocListCtrl::m_arrClassName;
    using CPdmDocListCtrl::m_arrExt;
    using CPdmDocListCtrl::m_bBrowseOnly;
    using CPdmDocListCtrl::m_imageLarge;
    using CPdmDocListCtrl::m_imageSmall;
    using CPdmDocListCtrl::m_listPair;
    using CPdmDocListCtrl::m_nClassId;
    using CPdmDocListCtrl::m_nObjectId;
    using CPdmDocListCtrl::m_nSelItem;
};

// The tree control with its inner state open to the tests.
class CTestTreeCtrl : public CPdmTreeCtrl
{
public:
    using CPdmTreeCtrl::m_hSelItem;
    using CPdmTreeCtrl::m_listPair;
    using CPdmTreeCtrl::m_nClassId;
    using CPdmTreeCtrl::m_nObjectId;
};

inline CString Gbk(const char* utf8)
{
    return CStringFromUtf8(utf8);
}

// The server name the shell's connection settings hold (host and port).
inline void SetPdmServerSetting(const std::string& server)
{
    HKEY hKey = NULL;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", 0, NULL,
                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &hKey, NULL),
              ERROR_SUCCESS);
    RegSetValueEx(hKey, "Server", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                  (DWORD)server.size() + 1);
    RegCloseKey(hKey);
}

// A fresh folder set as the temporary folder (TMPDIR) for the life of the object.
class CDownloadFolder
{
public:
    CDownloadFolder()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "pcbrowser-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        m_path = ::mkdtemp(buf.data()) ? buf.data() : "";
        const char* old = std::getenv("TMPDIR");
        m_hadOld = old != nullptr;
        if (old)
            m_old = old;
        setenv("TMPDIR", m_path.c_str(), 1);
    }
    ~CDownloadFolder()
    {
        if (m_hadOld)
            setenv("TMPDIR", m_old.c_str(), 1);
        else
            unsetenv("TMPDIR");
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }
    // The files in the folder, by name.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::string m_path, m_old;
    bool m_hadOld = false;
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Runs the message queue until the modal loop of the window has ended (or time is up).
inline bool WaitForModalEnd(CWnd* pDlg, int nSeconds = 20)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
    while (pDlg->m_nFlags & WF_CONTINUEMODAL) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        AfxPumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A list control in a recording parent, over a scripted store.
class DocListTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        ASSERT_TRUE(parent.CreateParent());
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 380), &parent, IDC_PDMDOCLIST));
    }
    void TearDown() override
    {
        if (list.GetSafeHwnd())
            list.DestroyWindow();
        if (parent.GetSafeHwnd())
            parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
    // The centre of a row in client coordinates.
    CPoint RowPoint(int nItem)
    {
        CRect rect;
        list.GetItemRect(nItem, &rect, LVIR_LABEL);
        return rect.CenterPoint();
    }

    CFakePdm pdm;
    CPdmFactoryScope factory{pdm.Factory()};
    CRecordingParent parent;
    CTestDocList list;
};

// The browser window opened through a template, as the program opens it.
class BrowserWindowTest : public CWndTestBase
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens the browser window (its client area about cx x cy) without loading it.
    void OpenBrowser(int cx = 900, int cy = 500);
    void CloseBrowser();

    CWinApp* m_pApp = nullptr;
    CMDIFrameWnd* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CLumoDocMDIFrame* m_pFrame = nullptr;
};
