// The program's two document templates and the calls it makes on the classes of the
// project and browser libraries: every use of those classes is in Templates.cpp.
#pragma once

#include <ClassLib/AfxWin.h>

// Template 129: the project document, its frame and the Gantt container.
CMultiDocTemplate* TrellanCreateProjectTemplate();
// Template 130: the placeholder document, the browser frame and the folder tree view.
CMultiDocTemplate* TrellanCreateDocManageTemplate();

// Sets the project document's mode (1 local file, 0 server) and starts a new project.
void TrellanProjectFileNew(CDocument* pDoc, int nMode);
// Sets the mode and opens: a local project file (asking for one when strPath is empty)
// or, in server mode, a project chosen from the server.
void TrellanProjectFileOpen(CDocument* pDoc, int nMode, const CString& strPath);
// The mode the document was given (1 local, 0 server).
int TrellanProjectMode(CDocument* pDoc);

// A new document-browser frame: fills its folder tree from the root folder (class 20,
// object 0). Nothing for a frame of another class.
void TrellanBrowserFrameCreated(CFrameWnd* pFrame);
