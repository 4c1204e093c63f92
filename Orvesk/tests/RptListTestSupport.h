// A window that hosts a report list in tests: answers the list's cell requests as a test
// scripts them, records them and the notifications the list sends, and supplies callback
// texts from a table.
#pragma once

#include <ClassLib/Testing.h>

#include "SuperListCtrl/RptListCtrl.h"

#include <functional>
#include <map>
#include <utility>
#include <vector>

class CRptHostWnd : public CWnd
{
public:
    std::vector<CRptCellInfo> requests;       // copies of every WM_RPT_CELLINFO record
    std::vector<int> notifyCodes;             // WM_NOTIFY codes from the list, in order
    std::function<LRESULT(CRptCellInfo&)> answer;  // none: every request answered with 0
    std::map<std::pair<DWORD_PTR, int>, CString> texts;  // callback texts by (item data, column)
    CRptListCtrl* clickList = nullptr;        // its NM_CLICK goes to HandleClick, as an owner does

    BOOL CreateHost(int cx = 520, int cy = 300)
    {
        return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(0, 0, cx, cy), nullptr, 0);
    }

    // For SetCellTextCallback: the texts table.
    void CellText(int, int nColumn, DWORD_PTR dwItemData, CString& text)
    {
        auto it = texts.find({dwItemData, nColumn});
        text = it != texts.end() ? it->second : CString();
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pHdr->code == LVN_GETDISPINFO)
        {
            NMLVDISPINFO* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
            if (pInfo->item.mask & LVIF_TEXT)
            {
                auto it = texts.find({static_cast<DWORD_PTR>(pInfo->item.lParam), pInfo->item.iSubItem});
                CString s = it != texts.end() ? it->second : CString();
                lstrcpyn(pInfo->item.pszText, s, pInfo->item.cchTextMax);
            }
            return TRUE;
        }
        if (pHdr->code == NM_CLICK && clickList != nullptr && pHdr->hwndFrom == clickList->GetSafeHwnd())
        {
            clickList->HandleClick(pHdr, pResult);
            notifyCodes.push_back(static_cast<int>(pHdr->code));
            return TRUE;
        }
        BOOL b = CWnd::OnNotify(wParam, lParam, pResult);
        notifyCodes.push_back(static_cast<int>(pHdr->code));
        return b;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RPT_CELLINFO)
        {
            CRptCellInfo* pInfo = reinterpret_cast<CRptCellInfo*>(lParam);
            LRESULT r = answer ? answer(*pInfo) : 0;
            CRptCellInfo copy;
            copy.m_nKind = pInfo->m_nKind;
            copy.m_nRow = pInfo->m_nRow;
            copy.m_nColumn = pInfo->m_nColumn;
            copy.m_dwItemData = pInfo->m_dwItemData;
            copy.m_strText = pInfo->m_strText;
            copy.m_nFlags = pInfo->m_nFlags;
            copy.m_nEditLimit = pInfo->m_nEditLimit;
            copy.m_nCtrlId = pInfo->m_nCtrlId;
            requests.push_back(copy);
            return r;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A list whose editors are recorded instead of opened.
class CRecordingRptList : public CRptListCtrl
{
public:
    struct Edit
    {
        int row, column;
        char kind;  // 't' text, 'c' combo, 'e' editable combo
        BOOL clickThrough;
    };
    std::vector<Edit> edits;
    BOOL EditComboCell(int nRow, int nColumn, BOOL bEditable, BOOL bClickThrough) override
    {
        edits.push_back({nRow, nColumn, bEditable ? 'e' : 'c', bClickThrough});
        return TRUE;
    }
    BOOL EditTextCell(int nRow, int nColumn, BOOL bClickThrough) override
    {
        edits.push_back({nRow, nColumn, 't', bClickThrough});
        return TRUE;
    }
};

inline const DWORD kRptListStyle = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS;

// nCount 16 x 16 images: a coloured square with a dark frame on a magenta (transparent)
// ground; colours cycle red, green, blue, orange.
inline void MakeTestImages(CImageList& images, int nCount)
{
    static const COLORREF colours[] = {RGB(220, 40, 40), RGB(40, 160, 60), RGB(40, 80, 220), RGB(240, 150, 20)};
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, nCount, 1);
    CClientDC screen(nullptr);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 16 * nCount, 16);
    CBitmap* pOld = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, 16 * nCount, 16, RGB(255, 0, 255));
    for (int i = 0; i < nCount; ++i)
    {
        mem.FillSolidRect(16 * i + 2, 2, 12, 12, RGB(40, 40, 40));
        mem.FillSolidRect(16 * i + 3, 3, 10, 10, colours[i % 4]);
    }
    mem.SelectObject(pOld);
    images.Add(&bmp, RGB(255, 0, 255));
}
