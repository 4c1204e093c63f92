// The error report over an object's error records.
#include <DataAccess/DataAccess.h>

int DbErrorReport(const CDbErrorInfo* pObject, const CDbGuid& iid, HRESULT hr, CString& strError)
{
    std::vector<CDbErrorRecord> records;
    HRESULT hrRecords = pObject ? pObject->GetErrorRecords(iid, records) : E_FAIL;
    if (FAILED(hrRecords) || hrRecords == S_FALSE || records.empty())
    {
        strError = _T("不明数据源");
    }
    else
    {
        for (const CDbErrorRecord& record : records)
        {
            CString strLine;
            strLine.Format(_T("描  述：%s\r\n"), (LPCTSTR)record.strDescription);
            strError += strLine;
        }
    }
    CString strCode;
    strCode.Format(_T("错误返回值：%X\r\n"), (unsigned)hr);
    strError += strCode;
    return 1;
}
