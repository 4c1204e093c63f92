// The reference-document and target-document pages of the task property sheet: a list of
// documents in report view with icons by file type, filled from the product tree (and, for
// reference documents, from local files), with delete and right-click menus.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/ListCtrl.h>
#include <ClassLib/Frames/PropertySheet.h>
#include <ClassLib/Gdi/ImageList.h>
#include <Tavrin/DocFields.h>
#include <Tavrin/RnHotButton.h>

// What the two pages share; each page names its controls, texts and record class.
class CTaskDocPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CTaskDocPage)

public:
    virtual ~CTaskDocPage();

    // Appends a new copy of each record of the list.
    void SetDocs(const CObList& docs);
    // The index of the extension's icon, -1 when none was added yet.
    int FindIcon(CString strExt);
    // Adds the icons of an extension; its index.
    int AddIcon(CString strExt);
    void DeleteAllDocs();
    // The extension of a document name: from the last "." on, "" without one.
    static CString GetExtension(const CString& strName);

    CImageList m_imgSmall;
    CImageList m_imgLarge;
    CStringArray m_arExtensions;
    CObList m_lstDocs;
    CRnHotButton m_btnFirst;
    CRnHotButton m_btnSecond;
    CRnHotButton m_btnThird;
    CListCtrl m_listDocs;

    virtual BOOL OnInitDialog();

    // What differs between the pages.
    struct PageInfo
    {
        UINT nFirstButton, nSecondButton, nThirdButton, nList;
        const char* pszPopup;
        long nPdmMode;
        int nPdmSource;  // the source of a record from the product tree (0: the record's default)
    };

protected:
    CTaskDocPage(UINT nIDTemplate, const PageInfo& info);

    virtual void DoDataExchange(CDataExchange* pDX);
    // The page's record class.
    virtual CObject* NewDoc() const = 0;
    virtual void CopyDoc(CObject* pTo, const CObject* pFrom) const = 0;
    virtual void SetUpButtons() = 0;
    static CDocFields* Fields(CObject* pDoc);

    // A row (name with icon, location) at nIndex that keeps its record in its item data.
    int InsertRow(int nIndex, CObject* pDoc);

    void ShowPopup();
    void AddFromPdm();
    void DeleteSelected();

    afx_msg void OnRClickList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    PageInfo m_info;
};

class CTaskRefDocPage : public CTaskDocPage
{
    DECLARE_DYNCREATE(CTaskRefDocPage)

public:
    CTaskRefDocPage();

protected:
    virtual CObject* NewDoc() const;
    virtual void CopyDoc(CObject* pTo, const CObject* pFrom) const;
    virtual void SetUpButtons();

    afx_msg void OnFromPdm();
    afx_msg void OnFromDisk();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()
};

class CTaskTargetDocPage : public CTaskDocPage
{
    DECLARE_DYNCREATE(CTaskTargetDocPage)

public:
    CTaskTargetDocPage();

protected:
    virtual CObject* NewDoc() const;
    virtual void CopyDoc(CObject* pTo, const CObject* pFrom) const;
    virtual void SetUpButtons();

    afx_msg void OnFromPdm();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()
};
