// The document factory and its failure switch.
#include <XmlDom/XmlFactory.h>

#include <mutex>
#include <new>

namespace {

std::mutex g_lock;
int g_failures = 0;
HRESULT g_failure = REGDB_E_CLASSNOTREG;

}  // namespace

HRESULT XmlCreateDocument(std::unique_ptr<CXmlDocument>* ppDoc)
{
    if (!ppDoc)
        return E_FAIL;
    ppDoc->reset();
    {
        std::lock_guard<std::mutex> g(g_lock);
        if (g_failures > 0) {
            --g_failures;
            return g_failure;
        }
    }
    CXmlDocument* doc = new (std::nothrow) CXmlDocument;
    if (!doc)
        return E_FAIL;
    ppDoc->reset(doc);
    return S_OK;
}

void XmlTestFailDocumentCreation(int nCount, HRESULT hrFailure)
{
    std::lock_guard<std::mutex> g(g_lock);
    g_failures = nCount < 0 ? 0 : nCount;
    g_failure = hrFailure;
}
