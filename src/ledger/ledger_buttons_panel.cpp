#include "ledger/ledger_buttons_panel.h"

#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QPushButton>

namespace {

constexpr int ButtonWidth = 1600;
constexpr int ButtonStep = 1720;
constexpr int ButtonTop = 40;
constexpr int ButtonHeight = 480;

int slotLeft(int slot)
{
    return 120 + slot * ButtonStep;
}

} // namespace

MainButtonsPanel::MainButtonsPanel(QWidget* parent) : QFrame(parent)
{
    const struct {
        QPushButton** button;
        const char16_t* caption;
        const char* name;
    } buttons[] = {
        {&m_monthly, u"月毎入出庫処理", "monthlyInOutButton"}, {&m_sort, u"Sort", "sortButton"},
        {&m_delete, u"削　除", "deleteButton"},                {&m_filter, u"絞　込", "filterButton"},
        {&m_correct, u"訂 正", "correctButton"},               {&m_new, u"新 規", "newButton"},
        {&m_excel, u"在庫品Excel", "ledgerExcelButton"},       {&m_exit, u"終 了", "exitButton"},
    };
    int slot = 0;
    for (const auto& b : buttons) {
        *b.button = placed(new QPushButton(QString::fromUtf16(b.caption), this), QString::fromLatin1(b.name),
                           slotLeft(slot++), ButtonTop, ButtonWidth, ButtonHeight);
    }
}

void MainButtonsPanel::useCompactLayout()
{
    moveTwips(m_exit, 1840, ButtonTop);
    setGeometry(twipsToPixels(CompactLeftTwips), y(), twipsToPixels(CompactWidthTwips), height());
}

PageButtonsPanel::PageButtonsPanel(const QString& nextCaption, const QString& previousCaption,
                                   const QString& namePrefix, QWidget* parent)
    : QFrame(parent)
{
    m_next = placed(new QPushButton(nextCaption, this), namePrefix + QStringLiteral("NextButton"), 120, ButtonTop,
                    ButtonWidth, ButtonHeight);
    m_previous = placed(new QPushButton(previousCaption, this), namePrefix + QStringLiteral("PreviousButton"),
                        120 + ButtonStep, ButtonTop, ButtonWidth, ButtonHeight);
}
