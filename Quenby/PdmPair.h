// A node or document of the product-data store as (class id, object id), and the list of
// them that a tree or list keeps: each item's data points at its entry (list nodes never
// move while the list lives).
#pragma once

#include <ClassLib/Afx.h>

struct PDMPAIR
{
    UINT nClassId;
    UINT nObjectId;
};

typedef CList<PDMPAIR, const PDMPAIR&> CPdmPairList;
