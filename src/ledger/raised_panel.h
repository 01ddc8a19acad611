#pragma once
// The raised look shared by the ledger screen's pop-up panels.
#include <QFrame>

inline void raisedPanel(QFrame* panel)
{
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
}
