// Change marks (FLAG) and status codes of the project header and of tasks.
#pragma once

// FLAG: what the next save has to tell the server about a record.
#define FLAG_UNCHANGED 0 // unchanged since the last save or load
#define FLAG_NEW 1       // new, not yet on the server
#define FLAG_MODIFIED 2  // changed
#define FLAG_REMOVED 3   // removed; sits in the document's removed-task list only

// STATUS of a project or a task.
#define STATUS_UNPUBLISHED 0
#define STATUS_PUBLISHED 1
#define STATUS_STOPPED 3
#define STATUS_COMPLETED 5
