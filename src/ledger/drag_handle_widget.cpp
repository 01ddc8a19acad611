#include "ledger/drag_handle_widget.h"

#include "ui/twips.h"

#include <QMouseEvent>

DragHandle::DragHandle(QWidget* panel, QWidget* parent) : QLabel(parent), m_panel(panel)
{
    setCursor(Qt::SizeAllCursor);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    setText(QStringLiteral("✥"));
}

PanelPosition DragHandle::positionFor(QMouseEvent* event) const
{
    const QWidget* area = m_panel->parentWidget();
    const QPoint pointer = area->mapFromGlobal(event->globalPosition().toPoint()) - m_grab;
    return PanelPosition{pixelsToTwips(pointer.x()), pixelsToTwips(pointer.y())};
}

void DragHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    m_dragging = true;
    m_grab = m_panel->mapFromGlobal(event->globalPosition().toPoint());
    emit dragged(positionFor(event), DragStep::PressOrRelease);
}

void DragHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        emit dragged(positionFor(event), DragStep::Drop);
}

// Letting go is the drop; the drop's bound also covers that of a release.
void DragHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(event);
    m_dragging = false;
    emit dragged(positionFor(event), DragStep::Drop);
}
