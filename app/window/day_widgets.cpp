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

namespace {

bool IsOwnFormatKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::ControlModifier && (key->key() == Qt::Key_I || key->key() == Qt::Key_U);
}

}  // namespace

bool NotesEditor::event(QEvent* event)
{
    // Accepting the override makes the key a key press here instead of a
    // window shortcut.
    if (event->type() == QEvent::ShortcutOverride && !isReadOnly() &&
        IsOwnFormatKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTextEdit::event(event);
}

void NotesEditor::keyPressEvent(QKeyEvent* event)
{
    if (!isReadOnly() && IsOwnFormatKey(event)) {
        QTextCharFormat format;
        if (event->key() == Qt::Key_I)
            format.setFontItalic(!currentCharFormat().fontItalic());
        else
            format.setFontUnderline(!currentCharFormat().fontUnderline());
        mergeCurrentCharFormat(format);
        return;
    }
    QTextEdit::keyPressEvent(event);
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
