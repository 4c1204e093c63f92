// The replaceable factory of the product-data components.
#include <Pdm/PdmFactory.h>
#include <Pdm/PdmSettings.h>

#include "PdmComponentSource.h"

#include <atomic>
#include <mutex>

IPdmGUI* NewStorePdmGUI();  // the picker, PdmGUI.cpp

namespace {

std::mutex g_mutex;
PdmFactory g_factory;
std::atomic<unsigned> g_failures{0};

// One creation: the failure switch, then the replacement or the component over the current
// source (the server, or the process's own store file); a failure writes the component's
// trace line.
template <class T>
T* Create(unsigned failBit, std::function<T*()> PdmFactory::*member, T* (*standard)(), const char* failTrace)
{
    std::function<T*()> replacement;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        replacement = g_factory.*member;
    }
    T* component = nullptr;
    if (!(g_failures & failBit))
        component = replacement ? replacement() : standard();
    if (!component)
        PdmTrace(failTrace);
    return component;
}

IPdmNodeList* StandardNodeList()
{
    return NewPdmNodeList(PdmCurrentSource());
}
IPdmDocList* StandardDocList()
{
    return NewPdmDocList(PdmCurrentSource());
}
IPdmAvailList* StandardAvailList()
{
    return NewPdmAvailList(PdmCurrentSource());
}
IPdmData* StandardData()
{
    return NewPdmData(PdmCurrentSource());
}

}  // namespace

IPdmNodeList* CreatePdmNodeList()
{
    return Create(PDM_FAIL_NODELIST, &PdmFactory::nodeList, &StandardNodeList, "Create Interface PdmNodeList Failed!");
}

IPdmDocList* CreatePdmDocList()
{
    return Create(PDM_FAIL_DOCLIST, &PdmFactory::docList, &StandardDocList, "Create Interface PdmDocList Failed!");
}

IPdmAvailList* CreatePdmAvailList()
{
    return Create(PDM_FAIL_AVAILLIST, &PdmFactory::availList, &StandardAvailList,
                  "Create Interface PdmAvailList Failed!");
}

IPdmData* CreatePdmData()
{
    return Create(PDM_FAIL_DATA, &PdmFactory::data, &StandardData, "Create Interface PdmData Failed!");
}

IPdmGUI* CreatePdmGUI()
{
    return Create(PDM_FAIL_GUI, &PdmFactory::gui, &NewStorePdmGUI, "IPdmGUI Create Failed");
}

PdmFactory SetPdmFactory(PdmFactory factory)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    PdmFactory previous = std::move(g_factory);
    g_factory = std::move(factory);
    return previous;
}

unsigned SetPdmCreateFailures(unsigned mask)
{
    return g_failures.exchange(mask);
}
