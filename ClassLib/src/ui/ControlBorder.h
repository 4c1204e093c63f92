// Private: WS_BORDER on the standard controls that draw their own widget (edits, list
// boxes): a one-pixel frame in the window-frame colour, the contents inset by it.
#pragma once

#include <QLineEdit>

class QFrame;
class QPaintEvent;

namespace pc {

// A frame-based widget (a multi-line edit, a list box): the thin frame, or none.
void ApplyThinBorder(QFrame* frame, bool border);

// A single-line edit that draws the thin frame over its own painting.
class BorderedLineEdit : public QLineEdit
{
public:
    explicit BorderedLineEdit(QWidget* parent) : QLineEdit(parent) {}
    void SetBorder(bool border);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_border = false;
};

}  // namespace pc
