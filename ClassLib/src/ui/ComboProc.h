// Private: the combo box on QComboBox, with its items kept as the platform keeps them.
#pragma once

#include "ControlProc.h"
#include "ListItems.h"

#include <QObject>

class QComboBox;

namespace pc {

class EditProc;

class ComboProc : public QObject, public ControlProc
{
public:
    ComboProc(ControlHost* host, DWORD style, QWidget* parent);
    ~ComboProc() override;

    QWidget* Widget() const override;
    void Created() override;
    void FontChanged() override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    UINT Kind() const { return m_style & 0x3u; }
    bool IsDropList() const { return Kind() == CBS_DROPDOWNLIST; }
    bool OwnerDraw() const { return (m_style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (m_style & CBS_HASSTRINGS); }
    const ListItems& Items() const { return m_items; }
    ControlProc* EditPart() const { return m_edit; }
    int ItemHeight(int index) const;
    void PaintItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focus);
    // The list drops down and closes (CBN_DROPDOWN before, CBN_CLOSEUP after).
    void DroppedDown(bool down);
    bool m_dropped = false;
    // The list window (ComboList.cpp): opening and closing it, a choice made in it, and
    // the item the selection field shows (the list's LB_GETCURSEL).
    HWND ListWindow() const { return m_hList; }
    void OpenList();
    void CloseList(bool bChosen);
    void ChooseFromList(int index);
    int FieldItem() const;
    // The height of the dropped list's extent: the height the combo box was created or
    // last sized with, less the box; 0 when that leaves nothing.
    int DroppedListExtent() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The height of the box without its list: the window's height for drop-down kinds.
    int BoxHeight() const;
    void FitHeight();
    void SetCurSel(int index);
    int CurSel() const;
    CString WindowText() const;
    int Insert(int index, LPARAM lParam, bool add);
    void Measure(int index);

    QComboBox* m_combo = nullptr;
    ControlProc* m_edit = nullptr;  // the edit part of a drop-down (child id 1001)
    ListItems m_items;
    int m_quiet = 0;  // programmatic changes send no notifications
    int m_droppedWidth = 0;
    int m_droppedHeight = 0;  // the height the box was created or sized with, list included
    int m_fitting = 0;        // the box is being given its own height
    int m_itemHeight = 0;
    int m_selectionHeight = 0;
    int m_lastSel = -1;
    HWND m_hList = nullptr;
};

}  // namespace pc
