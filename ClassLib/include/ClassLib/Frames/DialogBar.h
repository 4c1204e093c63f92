// CDialogBar: a control bar whose controls come from a dialog template. The controls'
// commands and notifications go to the frame the bar is docked in; at idle time their
// update handlers enable them (controls without a command handler are greyed, as buttons
// of a toolbar are).
#pragma once

#include <ClassLib/Dialogs/Dialog.h>
#include <ClassLib/Frames/ControlBar.h>

class AFX_EXT_CLASS CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;

    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeDefault;  // the template's size in pixels

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    CDialog* m_pBuilder;  // makes the controls from the template
};
