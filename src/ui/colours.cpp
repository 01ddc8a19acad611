#include "ui/colours.h"

#include <QGuiApplication>

namespace {

constexpr quint32 SystemColourFlag = 0x80000000;

QPalette::ColorRole systemColourRole(quint32 index)
{
    switch (index) {
    case 5:
        return QPalette::Base;
    case 8:
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button;
    case 18:
        return QPalette::ButtonText;
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor colourFromWindows(quint32 value, const QPalette& palette)
{
    if (value & SystemColourFlag)
        return palette.color(QPalette::Active, systemColourRole(value & 0xFF));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor colourFromWindows(quint32 value)
{
    return colourFromWindows(value, QGuiApplication::palette());
}

quint32 windowsColourValue(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return quint32(rgb.red()) + 256u * quint32(rgb.green()) + 65536u * quint32(rgb.blue());
}
