// The base-information page of the project property sheet (name, dates, budget, goal) and
// the finish page of the publish wizard.
#pragma once

#include <ClassLib/AfxWin.h>

class CProjBaseProp : public CPropertyPageEx
{
    DECLARE_DYNAMIC(CProjBaseProp)
public:
    CProjBaseProp();
    explicit CProjBaseProp(UINT nIDTemplate);

    // The wizard's checks of the page as it stands: takes the data from the controls, lets
    // the deadline take the finish date, and tells the first fault (the focus goes to its
    // field). TRUE when every check passed.
    BOOL CheckForWizard();
    // Without a message: the index of the first check that fails (0 dates, 1 name, 2 goal,
    // 3 budget) for the page's present data, -1 when none does.
    int FirstWizardFault() const;

    CString m_strBudget;
    COleDateTime m_dtDeadline;
    CString m_strGoal;
    CEdit m_editGoal;
    CString m_strName;
    COleDateTime m_dtStart;
    COleDateTime m_dtFinish;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    DECLARE_MESSAGE_MAP()
};

class CProjPublishFinishPage : public CPropertyPageEx
{
    DECLARE_DYNAMIC(CProjPublishFinishPage)
public:
    CProjPublishFinishPage();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bmpSide;
};
