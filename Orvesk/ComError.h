// A readable text for a failed data-access or component call.
#pragma once

#include <ClassLib/Afx.h>

// What a failed object can tell about its failure: its error records.
class AFX_EXT_CLASS IErrorRecordSource
{
public:
    virtual ~IErrorRecordSource();
    // The number of error records; negative when they cannot be asked.
    virtual int GetErrorRecordCount() = 0;
    // The description of one record; FALSE when it cannot be read.
    virtual BOOL GetErrorDescription(int nRecord, CString& strDescription) = 0;
};

// Appends "描  述：..." for each record that can be read, or sets the text to "不明数据源"
// when there are none (or no object); then appends "错误返回值：<hr in hex>". Returns 1.
// lpszInterface names the interface the call was made on.
AFX_EXT_API int FormatComError(IErrorRecordSource* pObject, LPCTSTR lpszInterface, HRESULT hr,
                               CString& strText);
