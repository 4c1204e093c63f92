// Data exchange of the class library: global memory, the clipboard, data sources and data
// objects, shared memory files and drag and drop.
#pragma once

#include <ClassLib/Ole/GlobalMemory.h>
#include <ClassLib/Ole/Clipboard.h>
#include <ClassLib/Ole/SharedFile.h>
#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Ole/DropTarget.h>

// The OLE libraries need no start here; kept so that the system's start-up compiles and
// reports success.
inline BOOL AfxOleInit() { return TRUE; }
