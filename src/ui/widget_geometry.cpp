#include "ui/widget_geometry.h"

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
