// Link rules of the chart's link drag.
#pragma once

#include <ClassLib/Afx.h>

class CTaskItem;

// TRUE when one of the successor's links already comes from the predecessor. Links and
// tasks are matched by task id; a task or link not yet numbered by the server (id 0) is
// matched by the predecessor's grid row instead, so that two unsaved tasks are not taken
// for one.
AFX_EXT_API BOOL IsDuplicateLink(const CTaskItem* pSucc, const CTaskItem* pPred);
