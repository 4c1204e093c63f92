// The picker component: Connect checks that the store can be reached, SelectObject runs
// the picker dialog.
#include "PdmPickerDlg.h"

#include <Pdm/IPdmGUI.h>
#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>

#include "PdmComponentSource.h"

namespace {

class CStorePdmGUI : public IPdmGUI {
public:
    void Release() override { delete this; }

    HRESULT Connect(const CString& user, const CString& password, LONG& result) override
    {
        (void)user;
        (void)password;
        m_bConnected = PdmCurrentSource().ready("IPdmGUI") == S_OK;
        result = m_bConnected ? 1 : 0;
        return m_bConnected ? S_OK : PDM_E_STORE;
    }

    HRESULT SelectObject(LONG mode, LONG reserved, CString& location, LONG& classId, LONG& objectId,
                         CString& name) override
    {
        (void)reserved;
        if (!m_bConnected) {
            PdmTrace("IPdmGUI: SelectObject before a successful Connect");
            return E_UNEXPECTED;
        }
        CPdmPickerDlg dlg(mode, AfxGetMainWnd());
        if (dlg.DoModal() != IDOK)
            return S_FALSE;
        location = dlg.m_strLocation;
        classId = dlg.m_nClassId;
        objectId = dlg.m_nObjectId;
        name = dlg.m_strName;
        return S_OK;
    }

private:
    bool m_bConnected = false;
};

}  // namespace

IPdmGUI* NewStorePdmGUI()
{
    return new CStorePdmGUI;
}
