#pragma once

// Small widgets of the day page: labels that act on a click and the spin
// box of the date editors.

#include <QLabel>
#include <QSpinBox>

namespace indikt {

// A label of the date block: a left click runs its command, a right click
// opens the date pop-up menu.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void contextMenuWanted(const QPoint& global_position);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The year and old-style day editors: shown over their label, closed by
// Enter or Escape.
class DateEditorSpin : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

signals:
    void closeWanted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace indikt
