// The text editor's checks in a task grid: the duration (column 3), the start and finish
// dates (columns 4 and 5) and the predecessor rows (column 6) are checked before an
// edit ends, however it ends (click, Enter, Tab, arrows, focus loss).
#include "InPlaceEdit.h"

#include "GridCtrl.h"

namespace
{
BOOL IsDigitChar(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a run of digits (at most nMax) into nValue; the number of digits read.
int ReadDigits(const char*& p, int nMax, int& nValue)
{
    int n = 0;
    nValue = 0;
    while (IsDigitChar(*p) && n < nMax)
    {
        nValue = nValue * 10 + (*p - '0');
        p++;
        n++;
    }
    return n;
}

BOOL SkipText(const char*& p, const char* pszText)
{
    const size_t n = strlen(pszText);
    if (strncmp(p, pszText, n) != 0)
        return FALSE;
    p += n;
    return TRUE;
}

// The longest duration a task holds: its seconds must fit an int.
const double kMaxDays = 24855.0;
} // namespace

int CInPlaceEdit::CheckTaskCellText(int nCol, const CString& strText, double& dDays, BOOL& bNoUnit)
{
    dDays = 0;
    bNoUnit = FALSE;
    const char* const pszText = strText;
    if (nCol == 3)
    {
        // A leading decimal number (blanks before it, a sign, digits and a fraction), then
        // the unit: "个工作日", "小时" or nothing.
        const char* p = pszText;
        while (*p == ' ' || *p == '\t')
            p++;
        const char* const pNumber = p;
        BOOL bNegative = FALSE;
        if (*p == '+' || *p == '-')
            bNegative = *p++ == '-';
        double dValue = 0;
        int nDigits = 0;
        for (; IsDigitChar(*p); p++, nDigits++)
            dValue = dValue * 10 + (*p - '0');
        if (*p == '.' && (nDigits > 0 || IsDigitChar(p[1])))
        {
            double dScale = 0.1;
            for (p++; IsDigitChar(*p); p++, nDigits++, dScale /= 10)
                dValue += (*p - '0') * dScale;
        }
        if (nDigits == 0)
        {
            // No number: the whole text is the unit.
            p = pNumber;
            dValue = 0;
        }
        if (bNegative && dValue > 0)
            return 3;
        const CString strUnit(p);
        if (strUnit == "小时")
            dValue /= 24.0;
        else if (strUnit.IsEmpty())
            bNoUnit = TRUE;
        else if (strUnit != "个工作日")
            return 3;
        if (dValue > kMaxDays)
            return 3;
        dDays = dValue;
        return 0;
    }
    if (nCol == 4 || nCol == 5)
    {
        // Year (exactly four digits) 年 month 月 day 日, and a day the month has.
        const char* p = pszText;
        int nYear = 0, nMonth = 0, nDay = 0;
        if (ReadDigits(p, 4, nYear) != 4 || IsDigitChar(*p) || nYear < 1 || !SkipText(p, "年"))
            return 4;
        const int nMonthDigits = ReadDigits(p, 2, nMonth);
        if (nMonthDigits == 0 || IsDigitChar(*p) || nMonth < 1 || nMonth > 12 || !SkipText(p, "月"))
            return 4;
        const int nDayDigits = ReadDigits(p, 2, nDay);
        if (nDayDigits == 0 || IsDigitChar(*p) || nDay < 1 || nDay > 31 || !SkipText(p, "日") || *p)
            return 4;
        // The date must exist ("2001年2月31日" does not) and be one a date value holds.
        const COleDateTime date(nYear, nMonth, nDay, 0, 0, 0);
        if (date.GetStatus() != COleDateTime::valid)
            return 4;
        return 0;
    }
    if (nCol == 6)
    {
        // Row numbers joined by commas, as the cell shows them ("8,7"), or nothing.
        std::vector<int> rows;
        return ParseRowList(strText, rows) ? 0 : 6;
    }
    return 0;
}

BOOL CInPlaceEdit::ParseRowList(const CString& strText, std::vector<int>& rows)
{
    rows.clear();
    auto skipBlanks = [](const char*& p) {
        while (*p == ' ' || *p == '\t')
            p++;
    };
    const char* p = strText;
    skipBlanks(p);
    if (!*p)
        return TRUE;
    for (;;)
    {
        int nValue = 0;
        if (ReadDigits(p, 9, nValue) == 0 || IsDigitChar(*p))
            return FALSE;
        rows.push_back(nValue);
        skipBlanks(p);
        if (!*p)
            return TRUE;
        // A comma typed with the Chinese input method counts as one.
        if (!SkipText(p, ",") && !SkipText(p, "，"))
            return FALSE;
        skipBlanks(p);
    }
}

CString CInPlaceEdit::CheckMessage(int nKind)
{
    switch (nKind)
    {
    case 3:
        return CString("无效工期!\n\n请输入正确格式: 如 2个工作日 (或 2小时)      ");
    case 4:
        return CString("无效日期.\n\n请输入正确日期： 如2000年10月1日");
    case 6:
        return CString("无效标识号.\n\n请输入正确标识号也即行号.");
    }
    return CString();
}

BOOL CInPlaceEdit::CheckText(BOOL bQuiet)
{
    m_bTextValid = TRUE;
    if (m_bChecking || !GetSafeHwnd())
        return FALSE;
    CGridCtrl* pGrid = dynamic_cast<CGridCtrl*>(GetParent());
    if (!pGrid || !pGrid->IsTaskGrid() || m_nColumn < 3 || m_nColumn > 6)
        return TRUE;

    CString strText;
    GetWindowText(strText);
    // The cell's own text is no edit.
    if (strText == m_sInitText)
        return TRUE;
    // Each text is checked (and refused) once, however many ends it meets on its way.
    if (m_bCheckedValid && strText == m_strChecked)
        return TRUE;

    double dDays = 0;
    BOOL bNoUnit = FALSE;
    const int nKind = CheckTaskCellText(m_nColumn, strText, dDays, bNoUnit);
    if (nKind == 0)
    {
        if (m_nColumn == 3)
        {
            m_dValue = dDays;
            m_bEmptyUnit = bNoUnit;
        }
        m_strChecked = strText;
        m_bCheckedValid = TRUE;
        return TRUE;
    }

    if (bQuiet)
        return FALSE;
    m_bChecking = TRUE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    AfxMessageBox(CheckMessage(nKind), MB_OK);
    m_bChecking = FALSE;
    // The editor keeps the focus and the mouse: it stays open with the text for correction,
    // or (an identifier) the ending routine that follows puts the old text back.
    if (GetSafeHwnd())
    {
        if (GetFocus() != this)
            SetFocus();
        SetCapture();
    }
    if (nKind == 6)
    {
        m_bTextValid = FALSE;
        return TRUE;
    }
    return FALSE;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    if (pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd == GetSafeHwnd() && !m_bEnded)
    {
        // A press outside the editor ends the edit (the editor holds the capture); a
        // refused duration or date keeps it open and the press goes no further.
        CRect rcClient;
        GetClientRect(rcClient);
        const CPoint point((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        if (!rcClient.PtInRect(point))
        {
            if (!CheckText())
                return TRUE;
            m_bEndChecked = TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}
