// Serial classes of a separately loaded library: one exported, one kept inside.
#include <ClassLib/Core/Archive.h>
#include <ClassLib/Core/Object.h>

class AFX_EXT_CLASS CModuleRecord : public CObject
{
    DECLARE_SERIAL(CModuleRecord)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_n << m_s;
        else
            ar >> m_n >> m_s;
    }
    int m_n = 41;
    CString m_s = "module";
};

class CModuleInternal : public CModuleRecord
{
    DECLARE_SERIAL(CModuleInternal)
};

IMPLEMENT_SERIAL(CModuleRecord, CObject, 1)
IMPLEMENT_SERIAL(CModuleInternal, CModuleRecord, 2)
