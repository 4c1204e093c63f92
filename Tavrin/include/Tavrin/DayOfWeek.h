// The working flag of one weekday in a project calendar.
#pragma once

#include <ClassLib/Afx.h>

class AFX_EXT_CLASS CDayOfWeek : public CObject
{
    DECLARE_SERIAL(CDayOfWeek)

public:
    CDayOfWeek();
    virtual ~CDayOfWeek();

    // Archive form: working flag, weekday, text.
    virtual void Serialize(CArchive& ar);

    // Takes over the working flag, the weekday and the text of another entry.
    void Copy(const CDayOfWeek& src);
    void Copy(const CDayOfWeek* pSrc);

    int m_nDay;        // 0 Sunday .. 6 Saturday (DAY)
    CString m_strText; // carried by copy and archive only
    int m_bWorking;    // 1 working day, 0 rest day (WORKING)

private:
    CDayOfWeek(const CDayOfWeek&) = delete;
    CDayOfWeek& operator=(const CDayOfWeek&) = delete;
};
