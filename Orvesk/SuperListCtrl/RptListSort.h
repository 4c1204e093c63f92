// Sorting a report list by one column: while the helper lives, every row's item data is
// replaced by a sort item that carries the row's own item data and its key.
#pragma once

#include <ClassLib/AfxWin.h>

#include <vector>

class CRptListCtrl;

struct CRptSortItem
{
    DWORD_PTR itemData;
    CString text;
};

struct CRptSortItemInt
{
    DWORD_PTR itemData;
    long long value;
};

class CRptSortHelper
{
public:
    CRptSortHelper(CRptListCtrl* pList, int nColumn, BOOL bNumeric, BOOL bGrouped);
    ~CRptSortHelper();
    CRptSortHelper(const CRptSortHelper&) = delete;
    CRptSortHelper& operator=(const CRptSortHelper&) = delete;

    void Sort(BOOL bAscending);

    static int CALLBACK CompareTextAsc(LPARAM l1, LPARAM l2, LPARAM lSort);
    static int CALLBACK CompareTextDesc(LPARAM l1, LPARAM l2, LPARAM lSort);
    static int CALLBACK CompareIntAsc(LPARAM l1, LPARAM l2, LPARAM lSort);
    static int CALLBACK CompareIntDesc(LPARAM l1, LPARAM l2, LPARAM lSort);
    // The integer a column text stands for: leading digits (with a sign), 0 when none;
    // grouped numbers lose every "." first.
    static long long TextValue(LPCTSTR lpszText, BOOL bGrouped);

private:
    CRptListCtrl* m_pList;
    int m_nColumn;
    BOOL m_bInt;
    std::vector<CRptSortItem> m_texts;
    std::vector<CRptSortItemInt> m_ints;
};
