#include "ledger/panel_positions.h"

namespace {

constexpr int RightmostLeft = 14160;
constexpr int LeftWhenOff = 500;
constexpr int LowestTop = 8040;
constexpr int PressBottom = 8640;

PanelPosition clamp(PanelPosition p, DragStep step, int topWhenOff)
{
    if (p.top <= 0)
        p.top = topWhenOff;
    if (p.top >= (step == DragStep::Drop ? LowestTop : PressBottom))
        p.top = LowestTop;
    if (p.left <= 0)
        p.left = LeftWhenOff;
    if (p.left >= RightmostLeft)
        p.left = RightmostLeft;
    return p;
}

} // namespace

PanelPosition ClampEditFrame(PanelPosition pointer, DragStep step)
{
    return clamp(pointer, step, 900);
}

PanelPosition ClampFilterPanel(PanelPosition pointer, DragStep step)
{
    return clamp(pointer, step, 0);
}
