// The program started in the test process: the application object's start-up with a
// command line, and its end; settings in a store kept in memory.
#pragma once

#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Testing.h>
#include <Pdm/PdmSettings.h>

#include "MainFrm.h"
#include "ProjectDoc.h"
#include "TrellanApp.h"
#include "TrellanDoc.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class TrellanTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestSetRegistryFile("");
        AfxTestResetScripts();
        std::string pattern = "/tmp/trellan_test_XXXXXX";
        m_dir = mkdtemp(&pattern[0]);
        // The browser reads the test's own product-data store, never the user's.
        SetPdmStoreFile(m_dir + "/pdm.sqlite");
    }
    void TearDown() override
    {
        Shutdown();
        AfxTestResetScripts();
        AfxTestSetRegistryFile("");
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
        CWndTestBase::TearDown();
    }

    // Starts the application object as the program does, with these arguments after the
    // program name.
    BOOL Start(const std::vector<std::string>& args)
    {
        m_args.assign(1, "Trellan");
        m_args.insert(m_args.end(), args.begin(), args.end());
        m_argv.clear();
        for (std::string& a : m_args)
            m_argv.push_back(&a[0]);
        AfxSetCommandLine((int)m_argv.size(), m_argv.data());
        app = new CTrellanApp;
        BOOL bStarted = app->InitApplication() && app->InitInstance();
        AfxPumpMessages();
        return bStarted;
    }

    void Shutdown()
    {
        if (app == nullptr)
            return;
        app->CloseAllDocuments(TRUE);
        if (CWnd* pMain = app->m_pMainWnd)
            if (pMain->GetSafeHwnd() != nullptr)
                pMain->DestroyWindow();
        AfxPumpMessages();
        app->m_pMainWnd = nullptr;
        app->ExitInstance();
        delete app;
        app = nullptr;
        AfxPumpMessages();
    }

    CMainFrame* Frame() const { return app != nullptr ? DYNAMIC_DOWNCAST(CMainFrame, app->m_pMainWnd) : nullptr; }

    // The documents of the project template.
    std::vector<CDocument*> ProjectDocs() const
    {
        std::vector<CDocument*> docs;
        for (POSITION pos = app->m_pProjectTemplate->GetFirstDocPosition(); pos != nullptr;)
            docs.push_back(app->m_pProjectTemplate->GetNextDoc(pos));
        return docs;
    }

    // The project documents that have a window (the document each New or Open command
    // makes first only starts the project document's own opening and keeps no window).
    std::vector<CProjectDoc*> OpenProjects() const
    {
        std::vector<CProjectDoc*> docs;
        for (CDocument* pDoc : ProjectDocs())
            if (pDoc->GetFirstViewPosition() != nullptr)
                docs.push_back(DYNAMIC_DOWNCAST(CProjectDoc, pDoc));
        return docs;
    }

    // The connection settings the project document reads when it is made: a project server
    // on 127.0.0.1 at the port, site "site", automation set.
    void WriteServerConnection(int nPort)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dunhelm\\Lumo\\MasterClient", 0, nullptr, 0,
                                 KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        CString strServer;
        strServer.Format("127.0.0.1:%d", nPort);
        RegSetValueEx(hKey, "Server", 0, REG_SZ, (const BYTE*)(LPCTSTR)strServer, strServer.GetLength() + 1);
        RegSetValueEx(hKey, "VDir", 0, REG_SZ, (const BYTE*)"site", 5);
        const DWORD dwAutomation = 1;
        RegSetValueEx(hKey, "Automation", 0, REG_DWORD, (const BYTE*)&dwAutomation, sizeof(dwAutomation));
        RegCloseKey(hKey);
    }

    // A project file with one task, as the project document writes it.
    std::string WriteProjectFile(const std::string& name, const char* pszProject = "Demo")
    {
        std::string path = m_dir + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        CProjectDoc doc;
        doc.m_ProjectInfo.m_strName = pszProject;
        CTaskItem* pTask = new CTaskItem;
        pTask->m_strName = "设计";
        pTask->m_nRowInGrid = 1;
        doc.m_listTasks.AddTail(pTask);
        doc.m_nMaxRowInGrid = 1;
        CString error;
        EXPECT_TRUE(doc.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;
        return path;
    }

    CTrellanApp* app = nullptr;
    std::string m_dir;

private:
    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
};
