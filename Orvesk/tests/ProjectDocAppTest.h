// A project application for the document's tests: the main frame, the project template
// with a stand-in frame and a stand-in task tree view, the connection settings pointed at a
// loopback project server, and recorders of progress messages and message boxes.
#pragma once

#include <ClassLib/Testing.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>

#include <string>
#include <vector>

#include "OrveskTestSupport.h"
#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "TaskTreeViewHooks.h"

// Stands in for the task tree view: stores the ids of a save reply into the tasks (by their
// grid rows) and counts the document's calls.
class CStandInTaskTreeView : public CView, public CTaskTreeViewHooks
{
    DECLARE_DYNCREATE(CStandInTaskTreeView)
public:
    void OnDraw(CDC*) override {}
    void ApplyServerIds(CString strReply) override;
    void RecalcFinishDates() override { ++nRecalcs; }
    void UpdateProjectSpan() override { ++nSpans; }
    int GetTaskId(int nRow) override;
    CGridCtrl* GetTaskGrid() override { return NULL; }

    CProjectDoc* GetProjectDoc() const { return static_cast<CProjectDoc*>(m_pDocument); }

    int nApplied = 0;
    int nRecalcs = 0;
    int nSpans = 0;
    CString strLastReply;
};

// The task of a grid row (ROWINGRID) anywhere in the project; NULL when none.
CTaskItem* FindTaskByRow(CProjectDoc& doc, int nRow);
CTaskItem* FindTaskByName(CProjectDoc& doc, const CString& strName);
int CountTasks(const CTaskItemList& list);

// A PROJECT text the loopback server keeps: two top-level tasks (rows 1 and 3, ids 11 and
// 13), a child of the first (row 2, id 12), members "u1" and "u2".
CString SampleServerProject(const CString& strName);

class ProjectDocAppTest : public CWndTestBase
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the connection settings of the loopback server into the registry (the document
    // reads them when it is made).
    void WriteConnection(bool bWithServer = true);
    // A document made by the template without a window, as the shell makes the document
    // whose FileNew or FileOpen it calls.
    CProjectDoc* ShellDocument(int nMode, const CString& strLogin = "u1");
    // Opens the server project through FileOpen with the open dialog scripted to choose it;
    // the new document, or NULL.
    CProjectDoc* OpenServerProject(LONG nID);
    int DocumentCount() const;
    CStandInTaskTreeView* ViewOf(CProjectDoc* pDoc) const;
    // Runs a command through the document's command routing.
    BOOL Command(CProjectDoc* pDoc, UINT nID);
    // Server requests by operation name, in order (the description fetches left out).
    std::vector<std::string> Operations() const;

    CLoopbackProjectServer server;
    CWinApp* app = nullptr;
    CMultiDocTemplate* pTemplate = nullptr;
    CMDIFrameWnd* frame = nullptr;
    ProjectOpenRunner previousOpen;
    ProjectSheetRunner previousSheet;
};
