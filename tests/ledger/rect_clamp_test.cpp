// Keeping a panel inside its window and clear of the controls it must not hide.
#include "ui/rect_clamp.h"

#include <gtest/gtest.h>

namespace {

TEST(RectClampTest, ARectangleIsMovedTheLeastIntoItsContainerAndKeepsItsSize)
{
    const QRect container(40, 40, 18720, 10220);
    const struct {
        QRect rect;
        QPoint expected;
    } cases[] = {
        {{1200, 4200, 17220, 3300}, {1200, 4200}},   // inside: unchanged
        {{40, 40, 18720, 10220}, {40, 40}},          // exactly the container
        {{1660, 3360, 17220, 3300}, {1540, 3360}},   // past the right edge by 120
        {{12000, 8880, 6560, 1560}, {12000, 8700}},  // past the bottom edge
        {{20000, 20000, 100, 100}, {18660, 10160}},  // past both, far out
        {{-500, -10, 100, 100}, {40, 40}},           // before the left and top edges
        {{0, 500, 20000, 11000}, {40, 40}},          // larger than the container: its top-left corner
        {{500, 500, 20000, 100}, {40, 500}},         // only too wide: left edge, top kept
    };
    for (const auto& c : cases) {
        const QRect clamped = ClampIntoContainer(c.rect, container);
        EXPECT_EQ(clamped.topLeft(), c.expected) << c.rect.x() << "," << c.rect.y();
        EXPECT_EQ(clamped.size(), c.rect.size());
    }
}

TEST(RectClampTest, APanelTakesTheFirstPlaceThatLeavesTheGivenControlsInView)
{
    const QRect container(0, 0, 1000, 600);
    const QSize panel(200, 300);
    const QRect closeButton(700, 350, 100, 30);
    const struct {
        const char* what;
        QList<QPoint> candidates;
        QList<QRect> keepClear;
        QPoint expected;
    } cases[] = {
        {"first fits", {{700, 10}, {0, 0}}, {closeButton}, {700, 10}},
        {"first covers, second does not", {{700, 100}, {700, 40}}, {closeButton}, {700, 40}},
        {"a candidate is clear only once kept inside", {{700, 400}, {900, -50}}, {closeButton}, {800, 0}},
        {"touching edges do not cover", {{600, 50}}, {QRect(600, 350, 10, 10)}, {600, 50}},
        {"none is clear: the first, kept inside", {{750, 500}, {700, 200}}, {closeButton}, {750, 300}},
        {"nothing to keep clear", {{-20, 0}}, {}, {0, 0}},
    };
    for (const auto& c : cases) {
        const QRect placed = PlaceClearOf(panel, c.candidates, c.keepClear, container);
        EXPECT_EQ(placed.topLeft(), c.expected) << c.what;
        EXPECT_EQ(placed.size(), panel) << c.what;
        EXPECT_TRUE(container.contains(placed)) << c.what;
    }
}

} // namespace
