#include "labels/label_sheet.h"

QRectF LabelSheet::labelRect(int index) const
{
    const int column = index % columns;
    const int row = index / columns;
    return {leftMargin + column * horizontalPitch, topMargin + row * verticalPitch, labelWidth, labelHeight};
}

bool LabelSheet::fits() const
{
    if (columns < 1 || rows < 1 || labelWidth <= 0 || labelHeight <= 0 || leftMargin < 0 || topMargin < 0)
        return false;
    if (horizontalPitch < labelWidth || verticalPitch < labelHeight)
        return false;
    const QRectF last = labelRect(perPage() - 1);
    return last.right() <= pageWidth + 1e-9 && last.bottom() <= pageHeight + 1e-9;
}

std::optional<LabelSheet> LabelSheetOfLayout(int labelsPerPage)
{
    LabelSheet sheet;
    switch (labelsPerPage) {
    case 12: // 86.4 × 42.3 mm, 2 × 6, centred
        sheet.columns = 2;
        sheet.rows = 6;
        sheet.labelWidth = sheet.horizontalPitch = 86.4;
        sheet.labelHeight = sheet.verticalPitch = 42.3;
        sheet.leftMargin = 18.6;
        sheet.topMargin = 21.6;
        return sheet;
    case 24: // 70 × 37 mm, 3 × 8, the whole width
        sheet.columns = 3;
        sheet.rows = 8;
        sheet.labelWidth = sheet.horizontalPitch = 70;
        sheet.labelHeight = sheet.verticalPitch = 37;
        sheet.leftMargin = 0;
        sheet.topMargin = 0.5;
        return sheet;
    case 44: // 48.3 × 25.4 mm, 4 × 11
        sheet.columns = 4;
        sheet.rows = 11;
        sheet.labelWidth = sheet.horizontalPitch = 48.3;
        sheet.labelHeight = sheet.verticalPitch = 25.4;
        sheet.leftMargin = 8.4;
        sheet.topMargin = 8.8;
        return sheet;
    default:
        return std::nullopt;
    }
}

QList<int> LabelLayouts()
{
    return {12, 24, 44};
}
