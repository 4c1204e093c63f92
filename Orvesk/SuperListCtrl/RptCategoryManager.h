// Collapsible groups of a report list's rows under category rows
// ("Categoria: <name> (<count> elementi)").
#pragma once

#include <ClassLib/AfxWin.h>

class CRptCategoryManager;

// Assigns one row (its value, which the callback may read) to categories.
typedef void (*RPT_CATEGORYPROC)(LPARAM lUser, CRptCategoryManager* pManager, DWORD_PTR* pRowValue);
// Assigns all captured rows at once.
typedef void (*RPT_CATEGORYBULKPROC)(LPARAM lUser, CRptCategoryManager* pManager);

struct CRptCategoryEntry
{
    char* name;
    DWORD_PTR* items;
    int count;
    int type;  // 0 text, 2 date range, 4 number range
    int open;
    char* matchText;
    double low, high;
    COleDateTime from, to;
};

class CRptCategoryManager
{
public:
    CRptCategoryManager();
    ~CRptCategoryManager();
    CRptCategoryManager(const CRptCategoryManager&) = delete;
    CRptCategoryManager& operator=(const CRptCategoryManager&) = delete;

    RPT_CATEGORYPROC m_pfnRow = nullptr;
    RPT_CATEGORYBULKPROC m_pfnBulk = nullptr;
    LPARAM m_lUser = 0;

    int AddTextCategory(LPCTSTR lpszName, LPCTSTR lpszMatch);
    int AddDateCategory(LPCTSTR lpszName, const COleDateTime& from, const COleDateTime& to);
    int AddNumberCategory(LPCTSTR lpszName, int nLow, int nHigh);
    void AddRowToCategory(int nCategory, DWORD_PTR dwValue);
    int FindTextCategory(LPCTSTR lpszText) const;
    int FindDateCategory(const COleDateTime& t) const;
    int FindNumberCategory(double x) const;

    BOOL Build(CListCtrl* pList);
    void Fill(CListCtrl* pList);
    void OpenCategory(int nCategory, int nRow, CListCtrl* pList);
    void CloseCategory(int nRow, CListCtrl* pList);
    void Dissolve(CListCtrl* pList);
    int AddRow(CListCtrl* pList, DWORD_PTR dwValue);
    int IndexOfCategory(DWORD_PTR dwItemData) const;

    int GetCategoryCount() const { return m_nCategories; }
    CRptCategoryEntry* GetCategory(int i) { return i >= 0 && i < m_nCategories ? &m_pCategories[i] : nullptr; }
    int GetRowCount() const { return m_nRows; }
    // "Categoria: %s (%d element%c)"
    static CString CategoryText(const CRptCategoryEntry& entry);

private:
    CRptCategoryEntry* m_pCategories = nullptr;
    int m_nCategories = 0;
    DWORD_PTR* m_pRows = nullptr;
    int m_nRows = 0;

    CRptCategoryEntry& Append(LPCTSTR lpszName, int type);
    void FreeRows();
    static void InsertValueRow(CListCtrl* pList, int nIndex, DWORD_PTR dwValue);
};
