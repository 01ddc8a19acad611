// The label sheets: where each label lies on the page, in millimetres.
#include "labels/label_sheet.h"

#include <gtest/gtest.h>

TEST(LabelSheet, TheThreeLayoutsFitTheA4PageLabelByLabel)
{
    const struct {
        int layout;
        int columns;
        int rows;
        QRectF first;
        QRectF last;
    } cases[] = {
        {12, 2, 6, QRectF(18.6, 21.6, 86.4, 42.3), QRectF(105.0, 233.1, 86.4, 42.3)},
        {24, 3, 8, QRectF(0, 0.5, 70, 37), QRectF(140, 259.5, 70, 37)},
        {44, 4, 11, QRectF(8.4, 8.8, 48.3, 25.4), QRectF(153.3, 262.8, 48.3, 25.4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        const std::optional<LabelSheet> sheet = LabelSheetOfLayout(c.layout);
        ASSERT_TRUE(sheet.has_value());
        EXPECT_EQ(sheet->perPage(), c.layout);
        EXPECT_EQ(sheet->columns, c.columns);
        EXPECT_EQ(sheet->rows, c.rows);
        EXPECT_TRUE(sheet->fits());
        const auto near = [](const QRectF& a, const QRectF& b) {
            return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6
                && std::abs(a.width() - b.width()) < 1e-6 && std::abs(a.height() - b.height()) < 1e-6;
        };
        EXPECT_TRUE(near(sheet->labelRect(0), c.first));
        EXPECT_TRUE(near(sheet->labelRect(c.layout - 1), c.last));
    }
    EXPECT_FALSE(LabelSheetOfLayout(10).has_value());
}

TEST(LabelSheet, TheTwentyFourLabelsRunRowByRow)
{
    const LabelSheet sheet = *LabelSheetOfLayout(24);
    for (int k = 0; k < 24; ++k) {
        const QRectF at = sheet.labelRect(k);
        EXPECT_DOUBLE_EQ(at.x(), 70.0 * (k % 3)) << k;
        EXPECT_DOUBLE_EQ(at.y(), 0.5 + 37.0 * (k / 3)) << k;
    }
}

TEST(LabelSheet, EditedMarginsOrPitchThatLeaveThePageOrOverlapDoNotFit)
{
    LabelSheet sheet = *LabelSheetOfLayout(44);
    sheet.leftMargin = 20; // the fourth column past the right edge
    EXPECT_FALSE(sheet.fits());
    sheet = *LabelSheetOfLayout(44);
    sheet.verticalPitch = 20; // shorter than a label
    EXPECT_FALSE(sheet.fits());
}
