#pragma once
// Keeping one rectangle inside another: a panel inside its window, a window inside the screen's
// free area. Pure arithmetic on QRect in any unit (twips or pixels), usable without a widget.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>

// `rect` moved the least distance that puts it wholly inside `container`. Its size never
// changes: a rectangle wider (taller) than the container is aligned with the container's left
// (top) edge, so that its own top-left corner, where panels keep their handle, stays in view.
inline QRect ClampIntoContainer(QRect rect, const QRect& container)
{
    const int lastLeft = container.x() + container.width() - rect.width();
    const int lastTop = container.y() + container.height() - rect.height();
    rect.moveTo(std::max(container.x(), std::min(rect.x(), lastLeft)),
                std::max(container.y(), std::min(rect.y(), lastTop)));
    return rect;
}

// Where a panel of `size` goes: the first of `candidates` (top-left corners, in order of
// preference) that, kept inside `container`, covers none of `keepClear`. When every candidate
// covers one of them, the first candidate kept inside. `candidates` must not be empty.
inline QRect PlaceClearOf(const QSize& size, const QList<QPoint>& candidates, const QList<QRect>& keepClear,
                          const QRect& container)
{
    QRect first;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QRect placed = ClampIntoContainer(QRect(candidates[i], size), container);
        if (i == 0)
            first = placed;
        if (std::none_of(keepClear.begin(), keepClear.end(), [&](const QRect& r) { return placed.intersects(r); }))
            return placed;
    }
    return first;
}
