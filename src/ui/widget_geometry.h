#pragma once
// Placing widgets by twips.
#include <QRect>
#include <QString>

class QWidget;

// Sets a widget's geometry from twips (relative to its parent, or to the desktop for a window).
void setGeometryTwips(QWidget* widget, int left, int top, int width, int height);
void moveTwips(QWidget* widget, int left, int top);
// Moves a widget to (left, top) in twips, or as near to it as keeps the widget wholly inside its
// parent (rect_clamp.h ClampIntoContainer); a window is moved as asked.
void moveTwipsInsideParent(QWidget* widget, int left, int top);
// A shown window whose frame fits the free area of its screen (the screen less its task bars) but
// crosses its edge is moved the least that brings it inside; any other window stays where it is.
void keepWindowInFreeArea(QWidget* window);
// A rectangle in twips converted to pixels.
QRect twipsRect(int left, int top, int width, int height);

// Centres a window on its screen (the primary screen when it has none yet) by the centring
// rule of twips.h centredPosition(), then moves it up by `raiseTwips`.
void centreWindow(QWidget* window, int raiseTwips = 0);

// Names a widget and places it by twips; returns it, for building a panel in one line each.
void placeWidget(QWidget* widget, const QString& objectName, int left, int top, int width, int height);
template <class W>
W* placed(W* widget, const QString& objectName, int left, int top, int width, int height)
{
    placeWidget(widget, objectName, left, top, width, height);
    return widget;
}
