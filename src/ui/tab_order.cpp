#include "ui/tab_order.h"

#include <QWidget>
#include <algorithm>

namespace {

// Controls whose tops differ by less than this many pixels read as one line.
constexpr int LineBand = 12;

bool takesTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy();
}

// A control made of widgets of its own (a grid's viewport and scroll bars, a combo box's line
// edit): reached as one stop.
bool isCompoundControl(const QWidget* widget)
{
    return widget->inherits("QAbstractScrollArea") || widget->inherits("QComboBox") || widget->inherits("QAbstractSpinBox");
}

void sortInReadingOrder(QList<QWidget*>& widgets)
{
    if (widgets.isEmpty())
        return;
    QWidget* window = widgets.front()->window();
    const auto place = [window](const QWidget* widget) { return widget->mapTo(window, QPoint(0, 0)); };
    std::stable_sort(widgets.begin(), widgets.end(), [&place](const QWidget* a, const QWidget* b) {
        const QPoint pa = place(a);
        const QPoint pb = place(b);
        if (std::abs(pa.y() - pb.y()) >= LineBand)
            return pa.y() < pb.y();
        return pa.x() < pb.x();
    });
}

} // namespace

QList<QWidget*> TabStopsInReadingOrder(QWidget* region)
{
    QList<QWidget*> stops;
    if (takesTab(region))
        stops.append(region);
    if (isCompoundControl(region))
        return stops;
    QList<QWidget*> inside;
    for (QWidget* child : region->findChildren<QWidget*>()) {
        if (!takesTab(child) || child->isWindow())
            continue;
        bool partOfControl = false;
        for (QWidget* up = child->parentWidget(); up && up != region; up = up->parentWidget())
            partOfControl = partOfControl || isCompoundControl(up);
        if (!partOfControl)
            inside.append(child);
    }
    sortInReadingOrder(inside);
    stops.append(inside);
    return stops;
}

void SetTabOrderOfRegions(const QList<QWidget*>& regions)
{
    QWidget* previous = nullptr;
    for (QWidget* region : regions) {
        for (QWidget* stop : TabStopsInReadingOrder(region)) {
            if (previous)
                QWidget::setTabOrder(previous, stop);
            previous = stop;
        }
    }
}

void SetTabOrderOfScreen(QWidget* screen)
{
    QList<QWidget*> regions;
    for (QWidget* child : screen->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            regions.append(child);
    sortInReadingOrder(regions);
    SetTabOrderOfRegions(regions);
}
