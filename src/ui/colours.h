#pragma once
// Colours are stated as Windows colour values (red + 256 × green + 65536 × blue); values with
// the top bit set name a system colour, which is taken from the application palette.
#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace WindowsColour {
inline constexpr quint32 SwitchOn = 8421631;     // pink, 0x8080FF
inline constexpr quint32 SwitchOff = 16777215;   // white
inline constexpr quint32 WindowBackground = 0x80000005;
inline constexpr quint32 WindowText = 0x80000008;
inline constexpr quint32 ButtonFace = 0x8000000F;
inline constexpr quint32 ButtonText = 0x80000012;
}

// The colour of a Windows colour value. The system window background is the background of
// text areas and grids, the palette's Base; the button face is the palette's Button.
QColor colourFromWindows(quint32 value, const QPalette& palette);
QColor colourFromWindows(quint32 value);

// The Windows colour value of a plain colour (alpha ignored).
quint32 windowsColourValue(const QColor& colour);
