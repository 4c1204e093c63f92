// The permission list of the project role page. This is a plain report-view list standing
// in for the report list control (CRptListCtrl with its column manager), which is built
// elsewhere: it offers the page the same calls under the same names, so that the page
// changes only its member's type when that control comes. What it does not do: row height,
// blended selection, header dragging switches and column reordering from the profile.
//
// A permission cell holds its number as the cell's picture (3 ticked box, 4 empty box);
// GetCellText gives that number as text, as the report list does for its integer cells.
#pragma once

#include <ClassLib/AfxWin.h>

#include <vector>

class CProjRoleList : public CListCtrl
{
public:
    CProjRoleList() = default;

    // Column definitions (id = sub-item), in id order.
    void DefineColumn(int nID, LPCTSTR lpszText, int nFormat, int nWidth, DWORD dwFlags, int nImage,
                      LPCTSTR lpszDescription);
    // Widths and texts kept under "ReportLists\<name>" in the application profile (the
    // report list's layout); nothing without an application or a stored layout.
    void ReadFromProfile(LPCTSTR lpszName);
    // Takes the widths back from the list and writes the layout.
    void WriteToProfile(LPCTSTR lpszName);

    void SetCellImageList(CImageList* pImages);
    void SetHeaderImageList(CImageList* pImages);
    // Builds the list's columns from the definitions.
    void ApplyColumns();

    void SetItemInt(int nRow, int nCol, int nValue);
    CString GetCellText(int nRow, int nCol) const;
    // The row under a point in client coordinates (-1 for none) and its column in *pCol.
    int HitTestEx(CPoint point, int* pCol) const;
    // Sorts the rows by the text of a column.
    void SortByColumn(int nCol, BOOL bAscending);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    struct CColumn
    {
        int nID;
        CString strText;
        int nFormat;
        int nWidth;
        DWORD dwFlags;
        int nImage;
        CString strDescription;
    };
    std::vector<CColumn> m_columns;
};
