#pragma once
// The label sheets the labels are printed on: A4 sheets of common Japanese label stock, 12-up
// (2 × 6), 24-up (3 × 8) and 44-up (4 × 11), each with its margins, label size and pitch in
// millimetres (editable: a sheet of another maker differs by a few tenths).
#include <QList>
#include <QRectF>
#include <QString>
#include <optional>

struct LabelSheet {
    int columns = 3;
    int rows = 8;
    double pageWidth = 210;   // mm, A4
    double pageHeight = 297;
    double leftMargin = 0;    // from the page's left edge to the first label's
    double topMargin = 0;
    double labelWidth = 70;
    double labelHeight = 37;
    double horizontalPitch = 70; // from one label's left edge to the next one's
    double verticalPitch = 37;

    int perPage() const { return columns * rows; }
    // Label `index` (0 .. perPage() - 1, row by row) on its page, in millimetres.
    QRectF labelRect(int index) const;
    // Every label inside the page and none overlapping the next.
    bool fits() const;
};

// The sheet of a layout number: 12, 24 or 44; nothing for another number.
std::optional<LabelSheet> LabelSheetOfLayout(int labelsPerPage);
// The layouts offered: 12, 24, 44.
QList<int> LabelLayouts();
