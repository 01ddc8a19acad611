#include "menu/menu_switches_panel.h"

#include "menu/menu_texts.h"
#include "menu/option_switches.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/switch_label.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int RowTop = 200;
constexpr int RowStep = 560;
constexpr int CaptionLeft = 120;
constexpr int CaptionWidth = 3300;
constexpr int SwitchLeft = 3500;
constexpr int SwitchWidth = 420;
constexpr int SwitchHeight = 300;

int rowTop(int row) { return RowTop + row * RowStep; }

} // namespace

MenuSwitchesPanel::MenuSwitchesPanel(QWidget* parent) : QWidget(parent)
{
    addSwitch(OptionSwitch::Logo, QStringLiteral("logoSwitch"), QStringLiteral("ユーザーロゴ"), 0);
    addSwitch(OptionSwitch::HideExplanations, QStringLiteral("hideExplanationsSwitch"),
              QStringLiteral("説明Sw非表示"), 1);
    addSwitch(OptionSwitch::MonthlyImport, QStringLiteral("monthlyImportSwitch"),
              QStringLiteral("月毎入出庫インポート"), 2);
    addSwitch(OptionSwitch::Decimals, QStringLiteral("decimalsSwitch"), QStringLiteral("小数点の入出庫対応"), 3);
    addSwitch(OptionSwitch::StartOfUse, QStringLiteral("startOfUseSwitch"), QStringLiteral("在庫品開始月機能"), 4);
    addSwitch(OptionSwitch::CommonDocuments, QStringLiteral("commonDocumentsSwitch"),
              QStringLiteral("在庫品共通資料"), 5);

    placed(new QLabel(QStringLiteral("位置"), this), QStringLiteral("logoOffsetCaption"), 4100, rowTop(0), 500, 330);
    m_logoOffset = placed(new QComboBox(this), QStringLiteral("logoOffsetChooser"), 4650, rowTop(0) - 45, 1300, 420);

    m_help = placed(new QPushButton(QStringLiteral("説 明"), this), QStringLiteral("switchesHelpButton"), CaptionLeft,
                    rowTop(6), 1400, 420);
    m_examples = placed(new QPushButton(QStringLiteral("運用事例"), this), QStringLiteral("examplesButton"), 1700,
                        rowTop(6), 1800, 420);
}

void MenuSwitchesPanel::attach(AppState& state)
{
    for (auto it = m_switches.cbegin(); it != m_switches.cend(); ++it) {
        const OptionSwitch id = it.key();
        SwitchLabel* label = it.value();
        connect(label, &SwitchLabel::clicked, this, [this, &state, id, label] {
            if (const std::optional<bool> on = ToggleOptionSwitch(state, id))
                label->setOn(*on);
            if (id == OptionSwitch::Logo)
                emit logoSwitched();
        });
    }
    // Only a choice of the user: filling the chooser at load does not store anything.
    connect(m_logoOffset, &QComboBox::activated, this, [this, &state](int index) {
        SetLogoOffset(state, m_logoOffset->itemText(index));
        emit logoMoved();
    });
    connect(m_help, &QPushButton::clicked, this,
            [&state] { state.dialogs.inform(QStringLiteral("保全履歴確認"), SwitchesHelpText()); });
    connect(m_examples, &QPushButton::clicked, this, &MenuSwitchesPanel::examplesRequested);
}

void MenuSwitchesPanel::addSwitch(OptionSwitch id, const QString& name, const QString& caption, int row)
{
    placed(new QLabel(caption, this), name + QStringLiteral("Caption"), CaptionLeft, rowTop(row), CaptionWidth, 330);
    m_switches.insert(id, placed(new SwitchLabel(this), name, SwitchLeft, rowTop(row), SwitchWidth, SwitchHeight));
}

void MenuSwitchesPanel::fillLogoOffsets(const QString& selected)
{
    m_logoOffset->clear();
    m_logoOffset->addItems(LogoOffsetChoices());
    m_logoOffset->setCurrentIndex(m_logoOffset->findText(selected.trimmed()));
}

void MenuSwitchesPanel::showSwitches(const AppState& state)
{
    for (auto it = m_switches.cbegin(); it != m_switches.cend(); ++it)
        it.value()->setOn(IsSwitchOn(state, it.key()));
}
