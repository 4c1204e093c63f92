// Sample projects the tests build.
#pragma once

#include "ProjectDoc.h"

COleDateTime MakeDate(int y, int m, int d, int h = 0, int mi = 0, int s = 0);

tagResInfo MakeResource(const CString& code, const CString& name, int nID = 0);

// Appends a copy of the record (the value lists take their element by reference).
void AddResource(CResInfoList& list, const tagResInfo& res);

// A project with a header, one member, a top-level task with an assignee and a child
// (sub-project, a link and a reference document), and one removed task with a link.
void FillSampleProject(CProjectDoc& doc);

// A generated project: nTop top-level tasks, each with nChildren children, each of those
// with nGrand children; every task has a link and an assignee, every fifth a reference
// and a target document. Rows are numbered depth first from 1.
void FillLargeProject(CProjectDoc& doc, int nTop, int nChildren, int nGrand);
