#pragma once
// A deliberate Tab order: the regions of a screen in the order given, and inside each region
// its controls in reading order (top to bottom, then left to right).
#include <QList>

class QWidget;

// The controls that Tab can reach inside `region` (the region itself first when it takes Tab),
// in reading order by their place in the window.
QList<QWidget*> TabStopsInReadingOrder(QWidget* region);

// Chains the Tab stops of the regions one after the other.
void SetTabOrderOfRegions(const QList<QWidget*>& regions);

// The same for a whole screen: its direct children as the regions, in reading order.
void SetTabOrderOfScreen(QWidget* screen);
