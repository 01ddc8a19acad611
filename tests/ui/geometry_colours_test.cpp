// Twips, window centring and Windows colour values.
#include "ui/colours.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

TEST(Twips, ConvertToWholePixelsRoundingHalvesAwayFromZero)
{
    const struct {
        int twips;
        int pixels;
    } cases[] = {{0, 0}, {7, 0}, {8, 1}, {15, 1}, {22, 1}, {23, 2}, {16000, 1067}, {17600, 1173}, {-7, 0}, {-8, -1},
                 {-3600, -240}};
    for (const auto& c : cases)
        EXPECT_EQ(twipsToPixels(c.twips), c.pixels) << c.twips;
    EXPECT_EQ(pixelsToTwips(1280), 19200);
    EXPECT_EQ(pixelsToTwips(-3), -45);
}

TEST(Twips, CentringHalvesScreenAndWindowSeparately)
{
    const struct {
        int screenWidth, screenHeight, windowWidth, windowHeight;
        TwipsPosition expected;
    } cases[] = {
        {19200, 14400, 9600, 7200, {4800, 3600}},
        {15361, 11521, 301, 299, {7680 - 150, 5760 - 149}}, // each half is an integer division
        {12000, 9000, 19200, 9600, {-3600, -300}},          // larger than the screen: negative
        {0, 0, 0, 0, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(centredPosition(c.screenWidth, c.screenHeight, c.windowWidth, c.windowHeight), c.expected)
            << c.screenWidth << "x" << c.screenHeight << " / " << c.windowWidth << "x" << c.windowHeight;
}

TEST(Twips, CentreWindowMovesUpByTheRaise)
{
    QWidget window;
    window.resize(300, 200); // 4500 x 3000 twips
    centreWindow(&window, 200);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const TwipsPosition centre =
        centredPosition(pixelsToTwips(screen.width()), pixelsToTwips(screen.height()), 4500, 3000);
    EXPECT_EQ(window.pos(), QPoint(screen.x() + twipsToPixels(centre.left), screen.y() + twipsToPixels(centre.top - 200)));
}

TEST(Twips, PlacedWidgetGetsNameAndPixelGeometry)
{
    QWidget parent;
    QWidget* child = placed(new QWidget(&parent), QStringLiteral("child"), 1500, 300, 4500, 330);
    EXPECT_EQ(parent.findChild<QWidget*>(QStringLiteral("child")), child);
    EXPECT_EQ(child->geometry(), QRect(100, 20, 300, 22));
}

TEST(Colours, WindowsValuesAreRedGreenBlueFromTheLowByte)
{
    const struct {
        quint32 value;
        QColor colour;
    } cases[] = {
        {WindowsColour::SwitchOn, QColor(255, 128, 128)},
        {WindowsColour::SwitchOff, QColor(255, 255, 255)},
        {15128749, QColor(173, 216, 230)},
        {255, QColor(255, 0, 0)},
        {65280, QColor(0, 255, 0)},
        {16711680, QColor(0, 0, 255)},
        {0, QColor(0, 0, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(colourFromWindows(c.value), c.colour) << c.value;
        EXPECT_EQ(windowsColourValue(c.colour), c.value) << c.value;
    }
}

TEST(Colours, SystemValuesComeFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Text, QColor(7, 8, 9));
    EXPECT_EQ(colourFromWindows(WindowsColour::WindowBackground, palette), QColor(1, 2, 3));
    EXPECT_EQ(colourFromWindows(WindowsColour::ButtonFace, palette), QColor(4, 5, 6));
    EXPECT_EQ(colourFromWindows(WindowsColour::WindowText, palette), QColor(7, 8, 9));
}
