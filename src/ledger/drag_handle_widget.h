#pragma once
// The handle by which a panel is dragged across the screen. It reports where the panel's
// top-left corner would be, in twips of the panel's parent, keeping the point where the handle
// was grabbed under the pointer; the owner clamps the position and moves the panel.
#include "ledger/panel_positions.h"

#include <QLabel>
#include <QPoint>

class DragHandle : public QLabel {
    Q_OBJECT
public:
    // `panel` is the widget that moves; the handle is one of its children.
    DragHandle(QWidget* panel, QWidget* parent);

signals:
    void dragged(PanelPosition position, DragStep step);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PanelPosition positionFor(QMouseEvent* event) const;

    QWidget* m_panel;
    QPoint m_grab;      // the pointer's position inside the panel when the drag began
    bool m_dragging = false;
};
