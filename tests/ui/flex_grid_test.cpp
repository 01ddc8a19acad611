#include "ui/flex_grid.h"

#include "ui/colours.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor FixedColour() { return colourFromWindows(WindowsColour::ButtonFace); }
const QColor WindowColour() { return colourFromWindows(WindowsColour::WindowBackground); }

} // namespace

TEST(FlexGrid, RowAndColumnZeroAreOrdinaryCellsPaintedAsFixed)
{
    FlexGrid grid(4, 3);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setTextMatrix(0, 0, QStringLiteral("No"));
    grid.setTextMatrix(2, 1, QStringLiteral("品名"));

    EXPECT_EQ(grid.textMatrix(0, 0), QStringLiteral("No"));
    EXPECT_EQ(grid.textMatrix(2, 1), QStringLiteral("品名"));
    EXPECT_EQ(grid.textMatrix(1, 2), QString());
    EXPECT_EQ(grid.cellBackground(0, 2), FixedColour());
    EXPECT_EQ(grid.cellBackground(3, 0), FixedColour());
    EXPECT_EQ(grid.cellBackground(1, 1), WindowColour());
    EXPECT_FALSE(grid.item(0, 2)->flags() & Qt::ItemIsSelectable);

    // Rows added later get the fixed column too; cells outside the grid are ignored.
    grid.setRows(6);
    EXPECT_EQ(grid.cellBackground(5, 0), FixedColour());
    grid.setTextMatrix(6, 0, QStringLiteral("x"));
    grid.setTextMatrix(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.rows(), 6);
    EXPECT_EQ(grid.textMatrix(6, 0), QString());

    // Fewer fixed rows: the former fixed cells return to the window background.
    grid.setFixedRows(0);
    EXPECT_EQ(grid.cellBackground(0, 2), WindowColour());
    EXPECT_EQ(grid.cellBackground(0, 0), FixedColour());
}

TEST(FlexGrid, OwnCellColourOutlivesFixedPaintingUntilReset)
{
    FlexGrid grid(3, 3);
    const QColor lightBlue = colourFromWindows(15128749);
    grid.setCellBackground(0, 1, lightBlue);
    grid.setFixedRows(1);
    EXPECT_EQ(grid.cellBackground(0, 1), lightBlue);
    grid.setCellBackground(0, 1, QColor());
    EXPECT_EQ(grid.cellBackground(0, 1), FixedColour());
    grid.setCellBackground(2, 2, lightBlue);
    grid.setCellBackground(2, 2, QColor());
    EXPECT_EQ(grid.cellBackground(2, 2), WindowColour());
}

TEST(FlexGrid, WidthsAndHeightsInTwips)
{
    FlexGrid grid(3, 4);
    grid.setColWidthTwips(1, 1500);
    grid.setColWidthTwips(2, 1000); // not a whole number of pixels: read back as set
    grid.setRowHeightTwips(1, 300);
    EXPECT_EQ(grid.columnWidth(1), 100);
    EXPECT_EQ(grid.columnWidth(2), 67);
    EXPECT_EQ(grid.colWidthTwips(2), 1000);
    EXPECT_EQ(grid.rowHeight(1), 20);
    EXPECT_EQ(grid.rowHeightTwips(1), 300);

    grid.setColWidthTwips(3, 0);
    EXPECT_TRUE(grid.isColumnHidden(3));
    EXPECT_EQ(grid.colWidthTwips(3), 0);
    grid.setColWidthTwips(3, 450);
    EXPECT_FALSE(grid.isColumnHidden(3));
    EXPECT_EQ(grid.columnWidth(3), 30);
}

TEST(FlexGrid, AlignmentHoldsForCellsWrittenBeforeAndAfter)
{
    FlexGrid grid(3, 2);
    grid.setTextMatrix(1, 1, QStringLiteral("12"));
    grid.setColAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    grid.setTextMatrix(2, 1, QStringLiteral("3"));
    EXPECT_EQ(grid.item(1, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(grid.item(2, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(grid.colAlignment(0), Qt::AlignLeft | Qt::AlignVCenter);
}

TEST(FlexGrid, ClearEmptiesTextAndColoursButKeepsTheShape)
{
    FlexGrid grid(3, 3);
    grid.setFixedRows(1);
    grid.setColWidthTwips(2, 1500);
    grid.setTextMatrix(0, 1, QStringLiteral("見出し"));
    grid.setTextMatrix(2, 2, QStringLiteral("5"));
    grid.setCellBackground(2, 2, QColor(Qt::red));
    grid.setRedraw(false);
    grid.clearCells();
    grid.setRedraw(true);

    EXPECT_TRUE(grid.redraw());
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.colWidthTwips(2), 1500);
    EXPECT_EQ(grid.textMatrix(0, 1), QString());
    EXPECT_EQ(grid.textMatrix(2, 2), QString());
    EXPECT_EQ(grid.cellBackground(2, 2), WindowColour());
    EXPECT_EQ(grid.cellBackground(0, 1), FixedColour());
}

TEST(FlexGrid, ClickReportsTheGridsOwnRowAndColumn)
{
    FlexGrid grid(4, 3);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.resize(400, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy spy(&grid, &FlexGrid::clicked);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 1)).center());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(0, 0)).center());

    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0), QVariantList({2, 1}));
    EXPECT_EQ(spy.at(1), QVariantList({0, 0}));
    grid.setCurrentCell(3, 2);
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_EQ(grid.currentColumn(), 2);
}
