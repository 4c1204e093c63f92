// The project-list reply: the PROJECTS document the project service answers with the
// projects of a user, one PROJ element (ID, NAME, STATUS, CREATIONDATE) per project.
#pragma once

#include <ClassLib/Afx.h>

#include <vector>

struct CProjListEntry
{
    int nID = 0;
    CString strName;
    int nStatus = 0;
    CString strDate;  // as the server sent it
};

enum EProjListReply
{
    PROJLIST_READ = 0,        // a PROJECTS document (maybe without projects)
    PROJLIST_EMPTY_TEXT = 1,  // nothing was sent
    PROJLIST_NOT_XML = 2,     // the text does not parse
    PROJLIST_WRONG_ROOT = 3,  // another document element than PROJECTS
};

// Appends one entry per PROJ with a non-zero id, in document order. The first child of
// PROJECTS that is not a PROJ element ends the reading (the entries so far stay); every
// PROJ starts from the defaults (id 0, status 0, empty texts); ID and STATUS are read like
// atoi. Gives how the text was read.
EProjListReply ReadProjectListReply(const CString& strXml, std::vector<CProjListEntry>& entries);

// The status picture of a project: 0 not published (and any unknown status), 1 published,
// paused or under way (1 to 4), 2 completed (5).
int ProjectStatusImage(int nStatus);
