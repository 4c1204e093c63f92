// Saving the grid's texts to a comma-separated text file and loading such a file back.
// One line per row, row 0 first (the column headings); fields are not quoted, so a text
// holding a comma or a line break does not survive the round trip.
#include "GridCtrl.h"

#include <ClassLib/Core/SafeFile.h>

#include <vector>

namespace
{
// Splits a line at every comma; an empty line is one empty field.
std::vector<CString> SplitFields(const CString& strLine)
{
    std::vector<CString> fields;
    LPCTSTR p = strLine;
    LPCTSTR pStart = p;
    for (;; p++)
    {
        if (*p == ',' || *p == '\0')
        {
            fields.push_back(CString(pStart, (int)(p - pStart)));
            if (*p == '\0')
                break;
            pStart = p + 1;
        }
    }
    return fields;
}
} // namespace

BOOL CGridCtrl::Save(LPCTSTR filename)
{
    // The texts go to a file beside the old one, which is replaced only once they are all
    // written: a failed save leaves the old file as it was.
    CSafeFile File;
    CFileException ex;
    if (!File.Open(filename, CFile::typeText, &ex))
    {
        ex.ReportError();
        return FALSE;
    }

    try
    {
        int nNumColumns = GetColumnCount();
        for (int row = 0; row < GetRowCount(); row++)
        {
            // Text mode writes each "\n" as CR LF.
            CString strLine;
            for (int col = 0; col < nNumColumns; col++)
            {
                strLine += GetItemText(row, col);
                strLine += (col == nNumColumns - 1) ? _T("\n") : _T(",");
            }
            File.WriteString(strLine);
        }
        File.Commit();
    }
    catch (CException* e)
    {
        e->Delete();
        File.Abort();
        AfxMessageBox(_T("Unable to save grid list"));
        return FALSE;
    }
    return TRUE;
}

// Columns appended by Load, all at once and centred as InsertColumn makes them; their
// widths are set by AutoSizeColumns at the end of the load (a grid without a window gets
// none, as InsertColumn gives it none).
void CGridCtrl::AppendLoadedColumns(int nCount)
{
    if (nCount <= 0)
        return;
    if (GetRowCount() < 1)
        SetRowCount(1);
    const int nFirst = GetColumnCount();
    SetColumnCount(nFirst + nCount);
    for (int row = 0; row < GetRowCount(); row++)
        for (int col = nFirst; col < nFirst + nCount; col++)
            SetItemFormat(row, col, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (!GetSafeHwnd())
        for (int col = nFirst; col < nFirst + nCount; col++)
            m_arColWidths.SetAt(col, 0);
}

BOOL CGridCtrl::Load(LPCTSTR filename)
{
    CStdioFile File;
    CFileException ex;
    if (!File.Open(filename, CFile::modeRead | CFile::typeText, &ex))
    {
        ex.ReportError();
        return FALSE;
    }

    DeleteAllItems();

    BOOL bOk = TRUE;
    try
    {
        // Lines of any length; text mode reads CR LF and LF endings alike.
        CString strLine;
        if (File.ReadString(strLine))
        {
            std::vector<CString> headings = SplitFields(strLine);
            AppendLoadedColumns((int)headings.size());
            for (size_t i = 0; i < headings.size(); i++)
                SetItemText(0, (int)i, headings[i]);

            while (File.ReadString(strLine))
            {
                std::vector<CString> fields = SplitFields(strLine);
                int nRow = InsertRow(fields[0]);
                if (nRow < 0)
                    break;
                // A line with more fields than the heading line gets further columns
                // rather than losing its last texts.
                if ((int)fields.size() > GetColumnCount())
                    AppendLoadedColumns((int)fields.size() - GetColumnCount());
                for (size_t i = 1; i < fields.size(); i++)
                    SetItemText(nRow, (int)i, fields[i]);
            }
        }
        File.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        File.Abort();
        bOk = FALSE;
    }

    // Every column sized first, the scroll bars reset once.
    AutoSizeColumns();

    if (!bOk)
    {
        AfxMessageBox(_T("Unable to load grid data"));
        return FALSE;
    }
    return TRUE;
}
