// A hot link of a target document. The numbers are stored and copied, not interpreted.
#pragma once

#include <ClassLib/Afx.h>

class AFX_EXT_CLASS CHotLink : public CObject
{
    DECLARE_SERIAL(CHotLink)

public:
    CHotLink();
    CHotLink(const CHotLink& src);
    CHotLink& operator=(const CHotLink& src);
    virtual ~CHotLink();

    // Archive form: text, number 1, number 5, number 2, number 3, number 4.
    virtual void Serialize(CArchive& ar);

    int m_nNumber1; // starts at 1
    int m_nNumber2;
    int m_nNumber3;
    int m_nNumber4;
    int m_nNumber5;
    CString m_strText;
};
