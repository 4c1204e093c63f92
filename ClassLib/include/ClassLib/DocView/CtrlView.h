// Views that show one control over their whole client area: CListView and CTreeView.
// The control is the view's child; its notifications reach the view's reflected entries
// (ON_NOTIFY_REFLECT) first and then the view's parent, as a control view's do. The view
// passes the control styles of its own style (PreCreateWindow, LVS_* and TVS_* bits) on to
// the control.
#pragma once

#include <ClassLib/Controls/ListCtrl.h>
#include <ClassLib/Controls/TreeCtrl.h>
#include <ClassLib/DocView/View.h>

class AFX_EXT_CLASS CCtrlView : public CView
{
    DECLARE_DYNCREATE(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass = nullptr, DWORD dwStyle = 0);
    ~CCtrlView() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

    CString m_strClass;
    DWORD m_dwDefaultStyle;

protected:
    // The control window of the view (made in OnCreate by the derived class).
    virtual CWnd* GetControlWnd() const;
    virtual BOOL CreateControl(DWORD dwStyle);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DWORD m_dwControlStyle;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

class AFX_EXT_CLASS CListView : public CCtrlView
{
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    ~CListView() override;

    CListCtrl& GetListCtrl() const { return const_cast<CListCtrl&>(m_list); }

protected:
    CWnd* GetControlWnd() const override { return const_cast<CListCtrl*>(&m_list); }
    BOOL CreateControl(DWORD dwStyle) override;
    CListCtrl m_list;
};

class AFX_EXT_CLASS CTreeView : public CCtrlView
{
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();
    ~CTreeView() override;

    CTreeCtrl& GetTreeCtrl() const { return const_cast<CTreeCtrl&>(m_tree); }

protected:
    CWnd* GetControlWnd() const override { return const_cast<CTreeCtrl*>(&m_tree); }
    BOOL CreateControl(DWORD dwStyle) override;
    CTreeCtrl m_tree;
};
