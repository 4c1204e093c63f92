// The browser's document list: the documents of one folder of the product-data store in
// four list styles, one shell icon per file extension (kept across fills), a context
// menu, a download and opening of the document on a double click, and, outside
// browse-only mode, adding a document record through the new-document dialog.
#pragma once

#include <ClassLib/AfxWin.h>

#include "PdmBrowserResource.h"
#include "PdmPair.h"

#include <string>
#include <unordered_map>

class AFX_EXT_CLASS CPdmDocListCtrl : public CListCtrl
{
    DECLARE_DYNCREATE(CPdmDocListCtrl)
public:
    CPdmDocListCtrl();
    ~CPdmDocListCtrl() override;

    // nStyle: 0 large icons, 1 small icons, 2 list, anything else report.
    void Init(int bBrowseOnly, int nStyle);
    BOOL LoadData(UINT nClassId, UINT nObjectId);
    BOOL GetItemInfo(int nItem, UINT& nClassId, UINT& nObjectId);

    // TRUE when the style changed.
    BOOL ViewIcon();
    BOOL ViewSmall();
    BOOL ViewList();
    BOOL ViewReport();
    int GetListStyle() const { return m_nListStyle; }

    // Downloads the selected document into the temporary folder and opens it.
    BOOL OpenDoc();
    // Adds a document record under the folder through the new-document dialog.
    BOOL NewDoc();

    // Where OpenDoc downloads to: the temporary folder, ending with a separator.
    static BOOL GetDownloadFolder(CString& strFolder);
    // The document's file name made safe as one name inside the download folder:
    // separators and the characters a file name may not hold become "_"; FALSE for a name
    // that is still no plain file name ("", ".", "..").
    static BOOL MakeSafeFileName(const CString& strName, CString& strSafe);
    // "http://<server>/pdm/GetPdmFile.asp?ClassID=%d&ObjectID=%d".
    static CString GetDownloadUrl(UINT nClassId, UINT nObjectId);

protected:
    int m_bBrowseOnly;
    int m_nListStyle;
    UINT m_nClassId;
    UINT m_nObjectId;
    CUIntArray m_arrClassId;
    CStringArray m_arrClassName;
    int m_nSelItem;
    CPdmPairList m_listPair;
    CStringArray m_arrExt;
    CImageList m_imageLarge;
    CImageList m_imageSmall;
    // m_arrExt's indexes by extension in capitals, so that a folder of many kinds of file
    // is not searched entry by entry.
    std::unordered_map<std::string, int> m_mapExt;

    afx_msg void OnItemchanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblclk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRclick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoclistIcon();
    afx_msg void OnDoclistSmall();
    afx_msg void OnDoclistList();
    afx_msg void OnDoclistReport();
    afx_msg void OnDoclistOpen();
    afx_msg void OnDoclistNewdoc();
    afx_msg void OnDestroy();

private:
    CString GetFileExtName(CString strFileName);
    int FindExtType(CString strExt);
    int AddExtTypeIcon(CString strExt);
    int ExtImage(const CString& strFileName);
    void GetDocClassInfo();
    BOOL SetTypeStyle(DWORD dwType, int nStyle);
    void AnnounceStyle(BOOL bChanged);
    void DetachImageList(CImageList& imageList);

    DECLARE_MESSAGE_MAP()
};
