// The product-data picker: shows the folders of the store and the documents of the chosen
// folder in a modal dialog and answers what the person chose. Created by CreatePdmGUI()
// (PdmFactory.h), ended with Release().
//
//   Connect(user, password, out)  opens the store; S_OK when it is ready (out = 1), else
//                                 PDM_E_STORE (out = 0). The store has no users of its
//                                 own: any user is accepted.
//   SelectObject(mode, 0, out location, out class id, out object id, out name)
//                                 runs the picker (mode 1: a reference document, 0: a
//                                 target document; only the caption differs). S_OK when a
//                                 document was chosen: location is the path of its folder
//                                 ("A\B\", each folder followed by a backslash; "" in the
//                                 root), then its pair and file name. S_FALSE when the
//                                 person cancelled; E_UNEXPECTED before a successful
//                                 Connect. Out values are set only with S_OK.
#pragma once

#include <Pdm/PdmInterfaces.h>

class IPdmGUI {
public:
    virtual void Release() = 0;
    virtual HRESULT SelectObject(LONG mode, LONG reserved, CString& location, LONG& classId, LONG& objectId,
                                 CString& name) = 0;
    virtual HRESULT Connect(const CString& user, const CString& password, LONG& result) = 0;

protected:
    virtual ~IPdmGUI() = default;
};
