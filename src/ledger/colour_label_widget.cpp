#include "ledger/colour_label_widget.h"

#include "ui/colours.h"

ColourLabel::ColourLabel(const QString& text, QWidget* parent)
    : ClickableLabel(text, parent), m_colour(WindowsColour::ButtonFace)
{
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setColourValue(m_colour);
}

void ColourLabel::setColourValue(quint32 value)
{
    m_colour = value;
    QPalette p = palette();
    p.setColor(QPalette::Window, colourFromWindows(value, p));
    setPalette(p);
}
