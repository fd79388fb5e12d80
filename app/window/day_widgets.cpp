#include "day_widgets.h"

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

}  // namespace indikt
