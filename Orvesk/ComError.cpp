#include "ComError.h"

IErrorRecordSource::~IErrorRecordSource() = default;

int FormatComError(IErrorRecordSource* pObject, LPCTSTR lpszInterface, HRESULT hr, CString& strText)
{
    UNUSED(lpszInterface);
    CString s;
    const int nRecords = pObject != NULL ? pObject->GetErrorRecordCount() : -1;
    if (nRecords > 0) {
        for (int i = 0; i < nRecords; ++i) {
            CString strDescription;
            if (!pObject->GetErrorDescription(i, strDescription))
                continue;
            s.Format("描  述：%s\r\n", (LPCTSTR)strDescription);
            strText += s;
        }
    } else {
        strText = "不明数据源";
    }
    s.Format("错误返回值：%X\r\n", (unsigned)hr);
    strText += s;
    return 1;
}
