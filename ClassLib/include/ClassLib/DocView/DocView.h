// The document/view framework: the application object, documents, templates and views.
#pragma once

#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/DocView/CommandLineInfo.h>
#include <ClassLib/DocView/RecentFileList.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/DocView/Document.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/DocView/View.h>
#include <ClassLib/DocView/CtrlView.h>
#include <ClassLib/DocView/EditView.h>
#include <ClassLib/DocView/WinApp.h>
#include <ClassLib/DocView/OleServer.h>
#include <ClassLib/DocView/PrintPreview.h>
