// Private: the controls of a dialog built from its template, and the dialog manager's
// keyboard handling (Tab and arrow navigation asking each control's WM_GETDLGCODE,
// Enter for the default button, Escape for IDCANCEL). The dialog window classes sit on
// top of it and receive its commands and notifications.
#pragma once

#include "ControlProc.h"

#include <ClassLib/Dialogs/DialogTemplate.h>

#include <QFont>
#include <QObject>
#include <QSize>

#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;

namespace pc {

class DialogPane;

// One control window of a dialog (or a child window of such a control).
class PaneControl : public ControlHost
{
public:
    PaneControl(DialogPane* pane, PaneControl* owner, int id, DWORD style, DWORD exStyle, const CString& className);
    ~PaneControl() override;

    void Command(UINT code) override;
    LRESULT Notify(NMHDR& hdr) override;
    LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::vector<HWND> Siblings() const override;
    DWORD StyleOf(HWND hWnd) const override;
    HWND Self() const override { return m_handle; }
    void OwnerDraw(QPainter& painter, DRAWITEMSTRUCT& dis) override;
    void OwnerMeasure(MEASUREITEMSTRUCT& mis) override;
    ControlProc* AddChildControl(const char* className, UINT id, DWORD style, QWidget* widgetParent) override;
    void Scroll(bool horizontal, UINT code, int pos) override;
    QWidget* WidgetOf(HWND hWnd) const override;
    QPixmap PixmapOf(HANDLE image, UINT type) override;

    DialogPane* Pane() const { return m_pane; }
    PaneControl* Owner() const { return m_owner; }
    int Id() const { return m_id; }
    DWORD Style() const { return m_style; }
    void SetStyle(DWORD style) { m_style = style; }
    DWORD ExStyle() const { return m_exStyle; }
    const CString& ClassName() const { return m_className; }
    ControlProc* Proc() const { return m_proc.get(); }
    QWidget* Widget() const { return m_widget; }
    void SetHandle(HWND h) { m_handle = h; }
    // A message to this control through its window (the dialog's send hook), so that an
    // object bound to the control sees it first.
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    const std::vector<std::unique_ptr<PaneControl>>& Children() const { return m_children; }

    void Create(QWidget* parentWidget);
    void SetWidget(QWidget* w) { m_widget = w; }

private:
    DialogPane* m_pane;
    PaneControl* m_owner;
    int m_id;
    DWORD m_style;
    DWORD m_exStyle;
    CString m_className;
    HWND m_handle;
    std::unique_ptr<ControlProc> m_proc;
    QWidget* m_widget = nullptr;
    std::vector<std::unique_ptr<PaneControl>> m_children;
};

class DialogPane : public QObject
{
public:
    // What the dialog window above the pane does with what the controls report.
    struct Hooks
    {
        // A message to a control through its window; the default goes to its procedure.
        std::function<LRESULT(PaneControl&, UINT, WPARAM, LPARAM)> send;
        std::function<void(WPARAM, LPARAM)> command;        // WM_COMMAND to the dialog
        std::function<LRESULT(WPARAM, NMHDR&)> notify;      // WM_NOTIFY to the dialog
        std::function<void(bool, WPARAM, LPARAM)> scroll;   // WM_HSCROLL / WM_VSCROLL
        std::function<void(QPainter&, DRAWITEMSTRUCT&)> drawItem;
        std::function<void(MEASUREITEMSTRUCT&)> measureItem;
        // A window of a class that is no standard control; NULL leaves a plain child.
        std::function<QWidget*(PaneControl&, QWidget* parent)> customControl;
        std::function<QPixmap(HANDLE, UINT)> pixmap;
    };

    DialogPane();
    ~DialogPane() override;

    Hooks& GetHooks() { return m_hooks; }

    // Builds the controls of the template inside container (whose size is set from the
    // template). False for a template without a font size that can be used.
    bool Build(const AFX_DLG_TEMPLATE& tpl, QWidget* container);
    QWidget* Container() const { return m_container; }
    QSize BaseUnits() const { return m_base; }
    const QFont& Font() const { return m_font; }
    void MapDialogRect(RECT& r) const;

    const std::vector<std::unique_ptr<PaneControl>>& Controls() const { return m_controls; }
    PaneControl* Control(int id) const;
    PaneControl* Find(HWND h) const;
    PaneControl* FindByWidget(const QWidget* w) const;
    LRESULT Send(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    std::vector<HWND> Handles() const;
    // Adds a control after the template's (windows created later by the dialog's code).
    PaneControl* AddControl(const char* className, int id, const char* text, DWORD style, DWORD exStyle, const RECT& rc);

    // The dialog manager's keys. True when the key was taken.
    bool HandleKey(QKeyEvent* key, PaneControl* focused);
    PaneControl* FocusedControl() const;
    // Focus to a control; an edit's text gets selected, as Tab does.
    void GotoControl(PaneControl* c);
    PaneControl* NextTabItem(PaneControl* from, bool previous) const;
    PaneControl* NextGroupItem(PaneControl* from, bool previous) const;
    PaneControl* FirstTabItem() const;

    int DefId() const { return m_defId; }
    void SetDefId(int id);

    // Used by the controls.
    void ChildCommand(PaneControl& c, UINT code);
    LRESULT ChildNotify(PaneControl& c, NMHDR& hdr);
    void ChildScroll(PaneControl& c, bool horizontal, UINT code, int pos);
    void Draw(QPainter& painter, DRAWITEMSTRUCT& dis);
    void Measure(MEASUREITEMSTRUCT& mis);
    QPixmap Pixmap(HANDLE image, UINT type);
    void Watch(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Visible(const PaneControl* c) const;
    bool Enabled(const PaneControl* c) const;

    Hooks m_hooks;
    QWidget* m_container = nullptr;
    QFont m_font;
    QSize m_base{1, 1};
    std::vector<std::unique_ptr<PaneControl>> m_controls;
    int m_defId = 1;  // IDOK
};

}  // namespace pc
