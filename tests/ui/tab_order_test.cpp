// The Tab order of a screen: regions in reading order, their controls in reading order, and a
// grid or combo box as one stop.
#include "ui/tab_order.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

QStringList tabWalk(QWidget* from, int steps)
{
    QStringList names;
    QWidget* at = from;
    for (int k = 0; k < steps; ++k) {
        names.append(at->objectName());
        do
            at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || at->objectName().isEmpty());
    }
    return names;
}

template <class W>
W* make(QWidget* parent, const char* name, int x, int y)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, 60, 20);
    return widget;
}

TEST(TabOrder, RegionsAndTheirControlsFollowTheReadingOrder)
{
    QWidget screen;
    screen.resize(400, 300);
    auto* panel = make<QFrame>(&screen, "panel", 10, 100);
    panel->resize(300, 150);
    make<QPushButton>(panel, "panelRight", 200, 12);
    make<QPushButton>(panel, "panelLeft", 10, 10);  // same line as panelRight
    auto* table = make<QTableWidget>(panel, "grid", 10, 60);
    table->setRowCount(2);
    table->setColumnCount(2);
    make<QComboBox>(panel, "chooser", 10, 100);
    make<QPushButton>(&screen, "barSecond", 150, 10);
    make<QLineEdit>(&screen, "barFirst", 10, 10);
    make<QPushButton>(&screen, "bottom", 10, 270);

    SetTabOrderOfScreen(&screen);
    EXPECT_EQ(tabWalk(screen.findChild<QWidget*>(QStringLiteral("barFirst")), 7),
              QStringLiteral("barFirst barSecond panelLeft panelRight grid chooser bottom").split(u' '));
}

} // namespace
