#include "day_widgets.h"

#include <QResizeEvent>

#include <QKeyEvent>
#include <QMouseEvent>

namespace indikt {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint())) {
        if (event->button() == Qt::LeftButton)
            emit clicked();
        else if (event->button() == Qt::RightButton)
            emit contextMenuWanted(event->globalPosition().toPoint());
    }
    QLabel::mouseReleaseEvent(event);
}

void DateEditorSpin::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        emit closeWanted();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void DateEditorSpin::focusOutEvent(QFocusEvent* event)
{
    QSpinBox::focusOutEvent(event);
    emit closeWanted();
}

PictureLabel::PictureLabel(QWidget* parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setMinimumSize(1, 1);
    setAlignment(Qt::AlignCenter);
}

void PictureLabel::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    fit();
}

void PictureLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fit();
}

void PictureLabel::fit()
{
    if (picture_.isNull() || contentsRect().isEmpty()) {
        clear();
        return;
    }
    setPixmap(picture_.scaled(contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace indikt
