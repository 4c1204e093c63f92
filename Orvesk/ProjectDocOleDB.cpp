// The project document's data-access error report.
#include "ProjectDoc.h"

int CProjectDoc::OleDBException(const CDbErrorInfo* pObject, const CDbGuid& iid, HRESULT hr, CString& strError)
{
    return DbErrorReport(pObject, iid, hr, strError);
}
