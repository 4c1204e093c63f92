// The columns a report list can show, the ones it does show (in display order), and their
// layout in the application profile under "ReportLists\<list name>".
#pragma once

#include <ClassLib/AfxWin.h>

class CRptListCtrl;

// Column behaviour bits of a definition.
#define RPTCOL_COMBO 0x001         // in-place choice combo, fixed choice
#define RPTCOL_COMBOEDIT 0x002     // in-place choice combo with an editable text
#define RPTCOL_EDIT 0x004          // in-place edit box
#define RPTCOL_NUMERIC 0x008       // sorts by integer value
#define RPTCOL_GROUPEDNUM 0x010    // sorts by integer value with every "." removed
#define RPTCOL_SORTABLE 0x020      // a header click sorts it
#define RPTCOL_IMAGE 0x040         // the cell text is an image index
#define RPTCOL_NOSORTMARK 0x080    // never shows the sort mark
#define RPTCOL_FIXEDWIDTH 0x100    // the user cannot change its width
#define RPTCOL_HEADERIMAGE 0x200   // the heading shows the definition's image

class CRptColumnDef
{
public:
    int id = 0;
    int format = LVCFMT_LEFT;
    int width = 0;
    int image = -1;
    DWORD flags = 0;
    char* text = nullptr;
    char* textdt = nullptr;
    char* descr = nullptr;
    void* lookupSource = nullptr;  // not owned
    int keyField = -1;
    int displayField = 0;

    void Clear();
    void SetText(char*& field, LPCTSTR lpsz);
};

class CRptColumnManager
{
public:
    CRptColumnManager();
    CRptColumnManager(const CRptColumnManager& other);
    ~CRptColumnManager();
    CRptColumnManager& operator=(const CRptColumnManager&) = delete;

    void DefineColumn(int id, LPCTSTR text, LPCTSTR textdt, int format, int width, DWORD flags, int image,
                      LPCTSTR descr);
    void SetDefaultColumns(int count, const int* ids);
    int FindColumnDef(int id) const;
    int FindShownColumn(int id) const;
    void SetColumnLookup(int id, void* source, int keyField, int displayField);

    void ApplyToList(CRptListCtrl* pList);
    void ReadFromList(CRptListCtrl* pList);
    void ReadFromProfile(LPCTSTR lpszName);
    void WriteToProfile(LPCTSTR lpszName) const;

    int GetDefCount() const { return m_nDefs; }
    const CRptColumnDef& GetDef(int i) const { return m_pDefs[i]; }
    CRptColumnDef& GetDef(int i) { return m_pDefs[i]; }
    int GetShownCount() const { return m_nShown; }
    int GetShownId(int i) const { return m_pShown[i]; }

    // Bounds on counts read from a profile: a damaged value never sizes an array beyond it.
    enum { kMaxProfileColumns = 1024 };

private:
    int m_nDefs = 0;
    CRptColumnDef* m_pDefs = nullptr;
    int m_nShown = 0;
    int* m_pShown = nullptr;

    void SetShown(int count, const int* ids);
};
