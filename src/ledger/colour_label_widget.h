#pragma once
// A label painted in a Windows colour value (the mode caption, the backup mark, the status
// badge). It keeps the value it was given, so that the screen and its tests can ask for it.
#include "ui/clickable_label.h"

class ColourLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit ColourLabel(const QString& text = QString(), QWidget* parent = nullptr);

    void setColourValue(quint32 value);
    quint32 colourValue() const { return m_colour; }

private:
    quint32 m_colour;
};
