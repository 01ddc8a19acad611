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

namespace {

// The sheets offered, labels without gaps between them.
struct Preset {
    int labels;
    int columns;
    int rows;
    double width;
    double height;
    double left;
    double top;
};
constexpr Preset Presets[] = {
    {12, 2, 6, 86.4, 42.3, 18.6, 21.6}, // centred on the page
    {24, 3, 8, 70, 37, 0, 0.5},         // the whole width
    {44, 4, 11, 48.3, 25.4, 8.4, 8.8},
};

} // namespace

std::optional<LabelSheet> LabelSheetOfLayout(int labelsPerPage)
{
    for (const Preset& preset : Presets) {
        if (preset.labels != labelsPerPage)
            continue;
        LabelSheet sheet;
        sheet.columns = preset.columns;
        sheet.rows = preset.rows;
        sheet.labelWidth = sheet.horizontalPitch = preset.width;
        sheet.labelHeight = sheet.verticalPitch = preset.height;
        sheet.leftMargin = preset.left;
        sheet.topMargin = preset.top;
        return sheet;
    }
    return std::nullopt;
}

QList<int> LabelLayouts()
{
    QList<int> layouts;
    for (const Preset& preset : Presets)
        layouts.append(preset.labels);
    return layouts;
}
