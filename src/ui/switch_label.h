#pragma once
// An on/off switch drawn as a small label: pink when on, white when off. Clicking it only
// reports the click; the owner asks its question and sets the new state.
#include "ui/clickable_label.h"
#include "ui/colours.h"

class SwitchLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit SwitchLabel(QWidget* parent = nullptr);

    void setOn(bool on);
    bool isOn() const { return m_colour == WindowsColour::SwitchOn; }

    // Any Windows colour value (the stop-all switch shows off in the button face colour).
    void setColourValue(quint32 value);
    quint32 colourValue() const { return m_colour; }

private:
    void applyColour();

    quint32 m_colour = WindowsColour::SwitchOff;
};
