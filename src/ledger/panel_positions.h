#pragma once
// Where the two movable panels of the ledger screen (the item edit frame and the filter
// condition panel) may go when dragged, and their preset positions. Twips, in the
// coordinates of the screen's background. The panels keep themselves wholly inside the
// background on top of these rules (ui/rect_clamp.h).

struct PanelPosition {
    int left = 0;
    int top = 0;
    friend bool operator==(const PanelPosition&, const PanelPosition&) = default;
};

enum class DragStep {
    PressOrRelease,  // the pointer pressed on or released from the panel's handle
    Drop,            // the panel dropped (and followed while dragged)
};

// The edit frame at the pointer, kept on the screen: a top at or above 0 becomes 900, one
// reaching the bottom becomes 8040 (from 8640 on for press and release, from 8040 on for a
// drop); a left at or before 0 becomes 500, one at 14160 or more becomes 14160.
PanelPosition ClampEditFrame(PanelPosition pointer, DragStep step);
// The filter condition panel: the same, except that a top at or above 0 becomes 0.
PanelPosition ClampFilterPanel(PanelPosition pointer, DragStep step);

namespace PanelPreset {
inline constexpr PanelPosition EditFrameOpening{1200, 4200};
// The frame is nearly as wide as the screen: at the presets' left of 1660 it is kept inside by
// moving it a little to the left.
inline constexpr PanelPosition EditFrameLow{1660, 6700};   // "▼"
inline constexpr PanelPosition EditFrameHigh{1660, 3360};  // "▲", and where "訂 正"/"新 規" open it
inline constexpr PanelPosition FilterPanelLow{12000, 8880};  // "▼"; kept inside: its bottom on the background's
// The filter panel's upper place ("▲", and where the filter opens it): on the right of the list,
// just under its caption row, so that neither the command bar nor the column captions, which
// the user reads while picking conditions, are covered.
inline constexpr PanelPosition FilterPanelHigh{12000, 1640};
}
