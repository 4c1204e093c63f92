// A project window for the views' tests: an MDI main frame, the project template (project
// document, project frame, Gantt container) and one open project built by the test.
#pragma once

#include <ClassLib/Testing.h>

#include <functional>

#include "ProjectDoc.h"
#include "TaskGridAccess.h"

class CGanttView;
class CProjectFrame;
class CTaskTreeView;
class CMultiDocTemplate;
class CMDIFrameWnd;

// The task records the tests build.
CTaskItem* AddTask(CTaskItemList& list, const char* pszName, const COleDateTime& start, const COleDateTime& finish,
                   int nDays);
CTaskLink* AddLink(CTaskItem* pSuccessor, const CTaskItem* pPredecessor, int nType = 1, int nLag = 0);

class ProjectWindowTest : public CWndTestBase
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the project the function fills (the document is new; its view type is 2
    // unless the function changes it). FALSE when no frame was made.
    BOOL Open(const std::function<void(CProjectDoc&)>& fill);
    // Closes the project window (the document goes with it).
    void Close();

    CGanttView* GanttView() const;
    CTaskTreeView* Tree() const { return m_pTree; }
    CTaskGridAccess Grid() const { return CTaskGridAccess(m_pTree); }
    CString Text(int nRow, int nCol) const { return Grid().GetText(nRow, nCol); }
    // The text as UTF-8, for comparing with literals written in this file.
    static CString Gbk(const char* pszUtf8);

    CMDIFrameWnd* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CProjectDoc* m_pDoc = nullptr;
    CProjectFrame* m_pFrame = nullptr;
    CTaskTreeView* m_pTree = nullptr;
    CWinApp* m_pApp = nullptr;
};

// Date shorthand.
COleDateTime Day(int y, int m, int d);
