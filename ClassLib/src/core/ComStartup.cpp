// COM start-up counted per thread, with failure injection for tests.
#include <ClassLib/Shell/Com.h>

#include <atomic>
#include <cstdlib>

namespace {

struct ThreadCom
{
    int count = 0;
    DWORD model = 0;
};

thread_local ThreadCom t_com;

// S_OK: no injected failure. Set from the environment on the first start.
std::atomic<HRESULT> g_failure{S_OK};
std::atomic<bool> g_environmentRead{false};

void ReadEnvironmentOnce()
{
    bool expected = false;
    if (!g_environmentRead.compare_exchange_strong(expected, true))
        return;
    const char* text = std::getenv("PC_TEST_COM_FAILURE");
    if (!text || !*text)
        return;
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 0);
    if (end && *end == '\0' && value != 0) {
        HRESULT hr = static_cast<HRESULT>(static_cast<uint32_t>(value));
        if (FAILED(hr)) {
            HRESULT none = S_OK;
            g_failure.compare_exchange_strong(none, hr);
        }
    }
}

}  // namespace

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit)
{
    ReadEnvironmentOnce();
    if (pvReserved)
        return E_INVALIDARG;
    HRESULT injected = g_failure.load();
    if (FAILED(injected))
        return injected;
    DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
    if (t_com.count > 0) {
        if (t_com.model != model)
            return RPC_E_CHANGED_MODE;
        ++t_com.count;
        return S_FALSE;
    }
    t_com.count = 1;
    t_com.model = model;
    return S_OK;
}

HRESULT CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize()
{
    if (t_com.count > 0)
        --t_com.count;
}

int AfxComStartCount() { return t_com.count; }

void AfxTestSetComStartFailure(HRESULT hr)
{
    g_environmentRead.store(true);
    g_failure.store(FAILED(hr) ? hr : S_OK);
}
