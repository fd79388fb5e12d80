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

// A picture that fits the room it is given, keeping its proportions, and
// never asks for more room than it gets (the collapsed calendar's picture).
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    QPixmap picture_;
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
