#include "ui/widget_geometry.h"

#include "ui/rect_clamp.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void setGeometryTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

void placeWidget(QWidget* widget, const QString& objectName, int left, int top, int width, int height)
{
    widget->setObjectName(objectName);
    setGeometryTwips(widget, left, top, width, height);
}

void moveTwips(QWidget* widget, int left, int top)
{
    widget->move(twipsToPixels(left), twipsToPixels(top));
}

void moveTwipsInsideParent(QWidget* widget, int left, int top)
{
    QRect wanted(twipsToPixels(left), twipsToPixels(top), widget->width(), widget->height());
    if (const QWidget* parent = widget->parentWidget(); parent && !widget->isWindow())
        wanted = ClampIntoContainer(wanted, parent->rect());
    widget->move(wanted.topLeft());
}

void keepWindowInFreeArea(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen || !window->isWindow())
        return;
    const QRect free = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    if (frame.width() > free.width() || frame.height() > free.height())
        return;
    const QRect inside = ClampIntoContainer(frame, free);
    if (inside != frame)
        window->move(inside.topLeft());
}

void centreWindow(QWidget* window, int raiseTwips)
{
    QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const TwipsPosition position = centredPosition(pixelsToTwips(area.width()), pixelsToTwips(area.height()),
                                                   pixelsToTwips(window->width()), pixelsToTwips(window->height()));
    window->move(area.x() + twipsToPixels(position.left), area.y() + twipsToPixels(position.top - raiseTwips));
}
