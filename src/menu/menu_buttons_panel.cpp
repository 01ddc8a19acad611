#include "menu/menu_buttons_panel.h"

#include "ui/widget_geometry.h"

#include <QPushButton>

namespace {

constexpr int ButtonHeight = 900;
constexpr int ButtonStep = 1100;

int rowTop(int row) { return row * ButtonStep; }

QPushButton* mainButton(QWidget* parent, const QString& name, const QString& caption, int row)
{
    auto* button = placed(new QPushButton(caption, parent), name, 0, rowTop(row), MenuButtonsPanel::WidthTwips,
                          ButtonHeight);
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    button->setFont(font);
    return button;
}

} // namespace

MenuButtonsPanel::MenuButtonsPanel(QWidget* parent) : QWidget(parent)
{
    m_ledger = mainButton(this, QStringLiteral("ledgerButton"), QStringLiteral("在庫品管理"), 0);
    m_import = mainButton(this, QStringLiteral("importButton"), QStringLiteral("在庫品インポート"), 1);
    m_settings = mainButton(this, QStringLiteral("settingsButton"), QStringLiteral("初期設定"), 2);
    m_commonDocuments = mainButton(this, QStringLiteral("commonDocumentsButton"), QStringLiteral("在庫品共通資料"), 3);
    m_exit = mainButton(this, QStringLiteral("exitButton"), QStringLiteral("終　　     了"), 4);
}

void MenuButtonsPanel::layOut(bool commonDocuments)
{
    m_commonDocuments->setVisible(commonDocuments);
    moveTwips(m_exit, 0, rowTop(commonDocuments ? 4 : 3));
}
