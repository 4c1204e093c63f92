// Creation of the product-data components, replaceable and able to fail for tests.
//
// Each Create function gives a new component for one operation, or nullptr when it cannot
// be created; a failed creation writes the trace line "Create Interface PdmNodeList
// Failed!" (PdmDocList, PdmAvailList, PdmData; "IPdmGUI Create Failed" for the picker),
// so callers only give up quietly. Without a replacement the components work on the
// project server of the connection settings, or on the store file a process set with
// SetPdmStoreFile (PdmSettings.h).
#pragma once

#include <Pdm/IPdmGUI.h>
#include <Pdm/PdmInterfaces.h>

#include <functional>

IPdmNodeList* CreatePdmNodeList();
IPdmDocList* CreatePdmDocList();
IPdmAvailList* CreatePdmAvailList();
IPdmData* CreatePdmData();
IPdmGUI* CreatePdmGUI();

// Replacements: an empty member keeps the store's component; a member that returns
// nullptr makes that creation fail.
struct PdmFactory {
    std::function<IPdmNodeList*()> nodeList;
    std::function<IPdmDocList*()> docList;
    std::function<IPdmAvailList*()> availList;
    std::function<IPdmData*()> data;
    std::function<IPdmGUI*()> gui;
};
// Returns the previous replacements.
PdmFactory SetPdmFactory(PdmFactory factory);

// Creations told to fail (an OR of these); returns the previous mask.
enum : unsigned {
    PDM_FAIL_NODELIST = 1,
    PDM_FAIL_DOCLIST = 2,
    PDM_FAIL_AVAILLIST = 4,
    PDM_FAIL_DATA = 8,
    PDM_FAIL_GUI = 16,
};
unsigned SetPdmCreateFailures(unsigned mask);

// Both for the lifetime of the object (tests).
class CPdmFactoryScope {
public:
    explicit CPdmFactoryScope(PdmFactory factory) : m_previous(SetPdmFactory(std::move(factory))) {}
    ~CPdmFactoryScope() { SetPdmFactory(std::move(m_previous)); }
    CPdmFactoryScope(const CPdmFactoryScope&) = delete;
    CPdmFactoryScope& operator=(const CPdmFactoryScope&) = delete;

private:
    PdmFactory m_previous;
};

class CPdmCreateFailureScope {
public:
    explicit CPdmCreateFailureScope(unsigned mask) : m_previous(SetPdmCreateFailures(mask)) {}
    ~CPdmCreateFailureScope() { SetPdmCreateFailures(m_previous); }
    CPdmCreateFailureScope(const CPdmCreateFailureScope&) = delete;
    CPdmCreateFailureScope& operator=(const CPdmCreateFailureScope&) = delete;

private:
    unsigned m_previous;
};
