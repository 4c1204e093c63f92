// Grid window: cell text on the clipboard. The text is CF_TEXT: the cells of a row
// separated by tabs, rows by "\n", ended by one zero byte; hidden rows and columns give
// nothing. Cut and paste change cells as an edit does, announcing each one.
#include "GridCtrl.h"

#include <ClassLib/Ole/SharedFile.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{
const UINT kClipFlags = GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT;

// The fields of one pasted line: separated by tabs, commas or newlines; a run of
// separators counts as one, so there are no empty fields.
bool IsFieldSeparator(char c)
{
    return c == '\t' || c == ',' || c == '\n';
}

std::vector<CString> SplitFields(const std::string& line)
{
    std::vector<CString> fields;
    size_t i = 0;
    while (i < line.size())
    {
        while (i < line.size() && IsFieldSeparator(line[i]))
            i++;
        size_t start = i;
        while (i < line.size() && !IsFieldSeparator(line[i]))
            i++;
        if (i > start)
            fields.push_back(CString(line.substr(start, i - start).c_str()));
    }
    return fields;
}
} // namespace

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    CGridCellRange Selection = GetSelectedCellRange();
    if (!IsValid(Selection))
        return NULL;

    std::string text;
    BOOL bFirstRow = TRUE;
    for (int row = Selection.GetMinRow(); row <= Selection.GetMaxRow(); row++)
    {
        if (GetRowHeight(row) <= 0)
            continue;
        if (!bFirstRow)
            text += '\n';
        bFirstRow = FALSE;
        BOOL bFirstCol = TRUE;
        for (int col = Selection.GetMinCol(); col <= Selection.GetMaxCol(); col++)
        {
            if (GetColumnWidth(col) <= 0)
                continue;
            if (!bFirstCol)
                text += '\t';
            bFirstCol = FALSE;
            if (IsCellSelected(row, col))
                text += (LPCTSTR)GetItemText(row, col);
        }
    }

    HGLOBAL hMem = NULL;
    try
    {
        CSharedFile sf(kClipFlags, 4096);
        sf.Write(text.c_str(), (UINT)text.size() + 1);
        hMem = sf.Detach();
    }
    catch (CException* e)
    {
        e->Delete();
        return NULL;
    }
    if (!hMem)
        return NULL;

    // The block as long as the text with its zero byte.
    HGLOBAL hText = ::GlobalReAlloc(hMem, text.size() + 1, kClipFlags);
    if (!hText)
    {
        ::GlobalFree(hMem);
        return NULL;
    }

    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, hText);
    return pSource;
}

void CGridCtrl::CutSelectedText()
{
    if (!IsEditable())
        return;

    std::vector<CGridCellId> cells;
    for (const auto& entry : m_SelectedCellMap)
        cells.push_back(entry.second);
    std::sort(cells.begin(), cells.end(), [](const CGridCellId& a, const CGridCellId& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });

    CWnd* pParent = GetSafeHwnd() ? GetParent() : NULL;
    for (const CGridCellId& cell : cells)
    {
        if (!IsValid(cell) || !IsCellEditable(cell) || !GetCell(cell.row, cell.col))
            continue;
        if (GetRowHeight(cell.row) <= 0 || GetColumnWidth(cell.col) <= 0)
            continue;
        SendMessageToParent(cell.row, cell.col, GRIDN_BEGINLABELEDIT);
        SetItemText(cell.row, cell.col, _T(""));
        SetModified(TRUE, cell.row, cell.col);
        if (pParent && pParent->GetSafeHwnd())
            pParent->SendMessage(WM_GRID_TASKCHANGED, (WPARAM)GetRowTask(cell.row),
                                 MAKELONG(cell.row, cell.col));
        SendMessageToParent(cell.row, cell.col, GRIDN_ENDLABELEDIT);
    }
    if (GetSafeHwnd())
        Invalidate();
}

BOOL CGridCtrl::PasteTextToGrid(CGridCellId cell, COleDataObject* pDataObject)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || !pDataObject
        || !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;

    HGLOBAL hMem = pDataObject->GetGlobalData(CF_TEXT);
    if (!hMem)
        return FALSE;
    const char* pData = (const char*)::GlobalLock(hMem);
    if (!pData)
    {
        ::GlobalFree(hMem);
        return FALSE;
    }
    // The text ends at its zero byte, or at the end of the block when it has none.
    size_t nSize = ::GlobalSize(hMem);
    std::string text(pData, strnlen(pData, nSize));
    ::GlobalUnlock(hMem);
    ::GlobalFree(hMem);

    std::vector<std::string> lines;
    size_t start = 0;
    for (;;)
    {
        size_t nl = text.find('\n', start);
        if (nl == std::string::npos)
        {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }

    CWnd* pParent = GetSafeHwnd() ? GetParent() : NULL;
    int row = cell.row;
    for (size_t i = 0; i < lines.size(); i++, row++)
    {
        while (row < GetRowCount() && GetRowHeight(row) <= 0)
            row++;
        if (row >= GetRowCount())
            break;

        std::string line = lines[i];
        if (line.empty() && i + 1 < lines.size())
            line = " ";

        int col = cell.col;
        for (CString field : SplitFields(line))
        {
            while (col < GetColumnCount() && GetColumnWidth(col) <= 0)
                col++;
            if (col >= GetColumnCount())
                break;
            // A read-only cell, or one that keeps its text on a row without a task, keeps
            // its text; its field is used up all the same, so the fields after it stay in
            // their columns.
            if (IsCellEditable(row, col) && !KeepsTasklessText(row, col))
            {
                field.TrimLeft();
                field.TrimRight();
                SendMessageToParent(row, col, GRIDN_BEGINLABELEDIT);
                SetItemText(row, col, field);
                SetModified(TRUE, row, col);
                // A name pasted into a task grid row without a task makes the row's task, as
                // a typed one does; the fields after it are then that task's.
                const BOOL bNames = IsTaskGrid() && col == 2 && !GetRowTask(row) && !field.IsEmpty();
                if (pParent && pParent->GetSafeHwnd())
                {
                    if (bNames)
                        pParent->SendMessage(WM_GRID_NEWTASKNAME, (WPARAM)row, 0);
                    else
                        pParent->SendMessage(WM_GRID_TASKCHANGED, (WPARAM)GetRowTask(row),
                                             MAKELONG(row, col));
                }
                SendMessageToParent(row, col, GRIDN_ENDLABELEDIT);
                SetItemState(row, col, GetItemState(row, col) & ~GRIDSTATE_SELECTED);
            }
            col++;
        }
    }

    if (GetSafeHwnd())
        Invalidate();
    return TRUE;
}

void CGridCtrl::OnEditCut()
{
    if (!IsEditable())
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (!pSource)
        return;
    pSource->SetClipboard();
    CutSelectedText();
}

void CGridCtrl::OnEditCopy()
{
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource)
        pSource->SetClipboard();
}

void CGridCtrl::OnEditPaste()
{
    if (!IsEditable())
        return;
    CGridCellId cell = GetFocusCell();
    if (!IsValid(cell))
        cell = GetTopleftNonFixedCell();
    if (!IsValid(cell))
        return;
    COleDataObject obj;
    if (obj.AttachClipboard())
        PasteTextToGrid(cell, &obj);
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

BOOL CGridCtrl::CanCopy() const
{
    return IsValid(GetSelectedCellRange()) && GetSelectedCount() > 0;
}

BOOL CGridCtrl::CanCut() const
{
    return IsEditable() && CanCopy();
}

BOOL CGridCtrl::CanPaste() const
{
    CGridCellId cell = GetFocusCell();
    return IsValid(cell) && IsCellEditable(cell) && ::IsClipboardFormatAvailable(CF_TEXT);
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCut());
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCopy());
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bEnableSelection);
}
