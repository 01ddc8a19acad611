// The ledger screen's layout: every panel inside the window at its presets and when dragged,
// panels that leave the buttons closing them in view, captions that fit their controls and a
// window that fits a small desktop. Also run at 150 % scale (QT_SCALE_FACTOR, tests/CMakeLists.txt).
#include "ledger/drag_handle_widget.h"
#include "ledger/edit_frame_panel.h"
#include "ledger/filter_panel.h"
#include "ledger/ledger_items_helper.h"
#include "ledger/ledger_screen_fixture.h"
#include "ui/clickable_label.h"
#include "ui/japanese_font.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <functional>

using namespace Qt::StringLiterals;
using namespace ledger_items;

namespace {

class LedgerLayoutTest : public LedgerScreenTest {
protected:
    // The program's own font, as the captions are measured against it.
    void SetUp() override
    {
        m_font = QApplication::font();
        UseJapaneseFont(*qApp);
        LedgerScreenTest::SetUp();
        WriteItems(client.ledgerPath(), {{u"B1"_s, u"ボルト"_s, u"M8"_s, u"丸和"_s}});
        openLedger();
        background = control("backgroundPicture");
    }
    void TearDown() override { QApplication::setFont(m_font); }
    const QFont& desktopFont() const { return m_font; }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    // A widget's rectangle in the coordinates of the screen's background.
    QRect onBackground(const char* name)
    {
        QWidget* widget = control(name);
        return QRect(widget->mapTo(background, QPoint(0, 0)), widget->size());
    }
    void expectInside(const char* name, const std::string& where)
    {
        EXPECT_TRUE(background->rect().contains(onBackground(name)))
            << name << " at " << where << ": " << onBackground(name).x() << "," << onBackground(name).y();
    }

    QWidget* background = nullptr;

private:
    QFont m_font;
};

const char* const Panels[] = {"Picture7", "Picture3", "Picture4", "Picture17", "Picture8", "Picture24",
                              "Picture12", "Picture20", "Picture1", "Picture6", "Picture5"};

TEST_F(LedgerLayoutTest, EveryPanelStartsInsideTheWindow)
{
    for (const char* panel : Panels)
        expectInside(panel, "opening");
}

// The frame at its opening place, at "▲" and "▼" and dragged to the far corners; the word panel
// follows it and never covers the frame's button row or its text entry box.
TEST_F(LedgerLayoutTest, TheEditFrameAndItsWordPanelStayInsideAndLeaveTheFramesButtonsInView)
{
    click("newButton");
    emit control<FlexGrid>("MSFlexGrid1")->clicked(1, 0);
    ASSERT_FALSE(control("Picture1")->isHidden());
    auto* frame = control<EditFramePanel>("Picture20");
    auto* handle = control<DragHandle>("editFrameHandle");
    const struct {
        const char* where;
        std::function<void()> move;
    } places[] = {
        {"新 規", [] {}},
        {"▼", [&] { emit control<ClickableLabel>("editFrameLowPicture")->clicked(); }},
        {"▲", [&] { emit control<ClickableLabel>("editFrameHighPicture")->clicked(); }},
        {"dragged to the top left", [&] { emit handle->dragged({-300, -300}, DragStep::Drop); }},
        {"dragged to the bottom right", [&] { emit handle->dragged({20000, 20000}, DragStep::Drop); }},
        {"pressed at the bottom", [&] { emit handle->dragged({14160, 8640}, DragStep::PressOrRelease); }},
        {"dragged to the top", [&] { emit handle->dragged({700, 1}, DragStep::Drop); }},
    };
    for (const auto& place : places) {
        place.move();
        for (const char* panel : {"Picture20", "Picture1", "vocabularyCloseButton", "editFrameCloseButton", "historyButton"})
            expectInside(panel, place.where);
        const QRect words = onBackground("Picture1");
        for (const char* kept : {"editFrameCloseButton", "historyButton", "registerButton", "textEntryBox", "Picture3"})
            EXPECT_FALSE(words.intersects(onBackground(kept))) << kept << " covered at " << place.where;
    }
    // Where the frame leaves room, the word panel keeps its usual place beside the text entry.
    emit control<ClickableLabel>("editFrameLowPicture")->clicked();
    EXPECT_EQ(onBackground("Picture1").topLeft(), QPoint(twipsToPixels(14160), twipsToPixels(2280)));
    EXPECT_EQ(frame->y(), twipsToPixels(6700));
}

TEST_F(LedgerLayoutTest, TheFilterPanelStaysInsideAndClearOfTheCommandBarAndTheColumnCaptions)
{
    list()->setCurrentCell(1, 2);
    click("filterButton");
    ASSERT_FALSE(control("Picture6")->isHidden());
    FlexGrid* grid = list();
    const QRect captionRow(grid->mapTo(background, QPoint(0, 0)), QSize(grid->width(), grid->rowHeight(0)));
    const QRect commandBar = onBackground("Picture3");
    EXPECT_FALSE(onBackground("Picture6").intersects(captionRow));
    EXPECT_FALSE(onBackground("Picture6").intersects(commandBar));

    auto* handle = control<DragHandle>("filterPanelHandle");
    const struct {
        const char* where;
        std::function<void()> move;
    } places[] = {
        {"▼", [&] { emit control<ClickableLabel>("filterPanelLowPicture")->clicked(); }},
        {"▲", [&] { emit control<ClickableLabel>("filterPanelHighPicture")->clicked(); }},
        {"dragged to the bottom right", [&] { emit handle->dragged({20000, 20000}, DragStep::Drop); }},
        {"dragged off the top left", [&] { emit handle->dragged({-50, -50}, DragStep::PressOrRelease); }},
    };
    for (const auto& place : places) {
        place.move();
        for (const char* panel : {"Picture6", "filterPanelCloseButton", "filterPanelHandle"})
            expectInside(panel, place.where);
    }
    emit control<ClickableLabel>("filterPanelHighPicture")->clicked();
    EXPECT_FALSE(onBackground("Picture6").intersects(captionRow));
}

// Record numbers run up to 50 009: five digits and the cell's text margins and grid line fit the
// "No" column, in the program's font and in the desktop's own (wider digits).
TEST_F(LedgerLayoutTest, TheNoColumnHoldsFiveDigits)
{
    FlexGrid* grid = list();
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
    for (const QFont& font : {grid->font(), desktopFont()})
        EXPECT_GE(grid->columnWidth(0), QFontMetrics(font).horizontalAdvance(u"50009"_s) + margins)
            << font.family().toStdString();
}

// Every caption of a button or label fits its control, with the edit frame and the filter's
// controls shown too.
TEST_F(LedgerLayoutTest, CaptionsFitTheirControls)
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        EXPECT_DOUBLE_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(),
                         qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    click("newButton");
    QWidget* screen = host.current();
    for (const QPushButton* button : screen->findChildren<QPushButton*>()) {
        if (button->text().isEmpty())
            continue;
        const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + frame, button->width())
            << button->objectName().toStdString() << " " << button->text().toStdString();
    }
    for (const QLabel* label : screen->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap())
            continue;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
            << label->objectName().toStdString() << " " << label->text().toStdString();
    }
}

// 1253 × 687 logical pixels: on a 1366 × 768 desktop it leaves room for a task bar of 48 pixels
// and a title bar of 32.
TEST_F(LedgerLayoutTest, TheWindowFitsASmallDesktopWithItsTaskBarAndTitleBar)
{
    const QSize size = host.current()->size();
    EXPECT_LE(size.width(), 1366);
    EXPECT_LE(size.height() + 48 + 32, 768);
}

} // namespace
