// CEditView: a view that is a multi-line edit control over its whole client area; its text
// is the document's (SerializeRaw writes and reads it as plain bytes).
#pragma once

#include <ClassLib/Controls/Edit.h>
#include <ClassLib/DocView/CtrlView.h>

#define AFX_WS_DEFAULT_EDITVIEW_STYLE (ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL)

class AFX_EXT_CLASS CEditView : public CCtrlView
{
    DECLARE_DYNCREATE(CEditView)
public:
    CEditView();
    ~CEditView() override;

    CEdit& GetEditCtrl() const { return const_cast<CEdit&>(m_edit); }
    UINT GetBufferLength() const;
    void GetSelectedText(CString& strResult) const;
    void SerializeRaw(CArchive& ar);
    void Serialize(CArchive& ar) override;

    static const DWORD dwStyleDefault;

protected:
    CWnd* GetControlWnd() const override { return const_cast<CEdit*>(&m_edit); }
    BOOL CreateControl(DWORD dwStyle) override;
    CEdit m_edit;
};
