#include "ui/switch_label.h"

SwitchLabel::SwitchLabel(QWidget* parent) : ClickableLabel(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    applyColour();
}

void SwitchLabel::setOn(bool on)
{
    setColourValue(on ? WindowsColour::SwitchOn : WindowsColour::SwitchOff);
}

void SwitchLabel::setColourValue(quint32 value)
{
    m_colour = value;
    applyColour();
}

void SwitchLabel::applyColour()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colourFromWindows(m_colour));
    setPalette(colours);
}
