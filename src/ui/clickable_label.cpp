#include "ui/clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::takeKeyboard()
{
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event)
{
    if (focusPolicy() == Qt::NoFocus) {
        QLabel::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        emit typed(text);
        return;
    }
    QLabel::keyPressEvent(event);
}
