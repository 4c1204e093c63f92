// A scripted product-data store in memory for the tests of the components' callers: it
// gives the five components through a factory (Factory(), for CPdmFactoryScope), answers
// from the folders, documents and classes added here, fails the calls it is told to, and
// logs every call in order ("LoadChildren(20,0)", "GetCount", "GetItem", ...).
#pragma once

#include <Pdm/PdmFactory.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CFakePdm {
public:
    CFakePdm();
    ~CFakePdm();
    CFakePdm(const CFakePdm&) = delete;
    CFakePdm& operator=(const CFakePdm&) = delete;

    // Content, listed in the order added. `hasChildren` < 0: the flag follows the folders
    // added below; 0 or 1: the flag the record gives whatever is below.
    void AddNode(LONG parentClass, LONG parentObject, LONG classId, LONG objectId, const CString& name,
                 int hasChildren = -1);
    void AddDocument(LONG parentClass, LONG parentObject, LONG classId, LONG objectId, const CString& fileName,
                     LONGLONG size = 0);
    void AddClass(LONG nodeClass, LONG docClassId, const CString& name);

    // Odd answers. FailCall: the `nth` call (from 1) of that name from now on answers `hr`
    // (names as logged, without arguments: "LoadChildren", "GetCount", "GetItem",
    // "LoadDocuments", "LoadClasses", "Initialize", "AddDocument", "Connect",
    // "SelectObject"). SetCount: GetCount answers this count whatever was loaded.
    void FailCall(const std::string& call, HRESULT hr, int nth = 1);
    void SetCount(LONG count);
    // What AddDocument gives as the new id (by default one above the highest so far).
    void SetNewObjectId(LONG id);
    // What SelectObject answers: S_OK with these values, or another result.
    void SetSelection(HRESULT hr, const CString& location = CString(), LONG classId = 0, LONG objectId = 0,
                      const CString& name = CString());

    PdmFactory Factory();
    const std::vector<std::string>& Calls() const;
    void ClearCalls();
    // The documents added through AddDocument: "parentClass/parentObject docClass/id name".
    std::vector<std::string> Added() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
};
