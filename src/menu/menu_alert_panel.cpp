#include "menu/menu_alert_panel.h"

#include "menu/menu_texts.h"
#include "menu/option_switches.h"
#include "menu/stock_alerts.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/widget_geometry.h"

#include <QFrame>
#include <QPushButton>

namespace {

const char* const ColourProperty = "lampColour";

QFrame* lamp(QWidget* parent, const QString& name, int left, int width)
{
    auto* frame = placed(new QFrame(parent), name, left, 150, width, 600);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(3);
    return frame;
}

// The caption keeps the normal text colour when its lamp's frame turns red.
ClickableLabel* lampLabel(QFrame* lamp, const QString& name, const QString& caption)
{
    auto* label = new ClickableLabel(caption, lamp);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(lamp->rect().adjusted(4, 4, -4, -4));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colourFromWindows(WindowsColour::WindowText));
    label->setPalette(colours);
    return label;
}

} // namespace

MenuAlertPanel::MenuAlertPanel(QWidget* parent) : QWidget(parent)
{
    m_belowProperLamp = lamp(this, QStringLiteral("belowProperLamp"), 120, 2700);
    m_belowProperLabel = lampLabel(m_belowProperLamp, QStringLiteral("belowProperLabel"), QStringLiteral("適正数量未満"));
    m_zeroStockLamp = lamp(this, QStringLiteral("zeroStockLamp"), 3000, 2300);
    m_zeroStockLabel = lampLabel(m_zeroStockLamp, QStringLiteral("zeroStockLabel"), QStringLiteral("在庫数ゼロ"));
    m_help = placed(new QPushButton(QStringLiteral("説明"), this), QStringLiteral("alertHelpButton"), 5500, 150, 980,
                    600);
    setLampLit(m_belowProperLamp, false);
    setLampLit(m_zeroStockLamp, false);
}

void MenuAlertPanel::attach(AppState& state)
{
    connect(m_help, &QPushButton::clicked, this,
            [&state] { state.dialogs.inform(QStringLiteral("登録確認"), AlertHelpText()); });
    connect(m_belowProperLabel, &ClickableLabel::clicked, this, [this, &state] { togglePlacement(state); });
}

void MenuAlertPanel::showAlerts(const StockAlerts& alerts)
{
    setLampLit(m_zeroStockLamp, alerts.zeroStock);
    setLampLit(m_belowProperLamp, alerts.belowProper);
}

quint32 MenuAlertPanel::lampColour(const QFrame* lamp)
{
    return lamp->property(ColourProperty).value<quint32>();
}

void MenuAlertPanel::setLampLit(QFrame* lamp, bool lit)
{
    const quint32 value = lit ? LampLit : WindowsColour::WindowText;
    lamp->setProperty(ColourProperty, value);
    QPalette colours = lamp->palette();
    colours.setColor(QPalette::WindowText, colourFromWindows(value));
    lamp->setPalette(colours);
}

void MenuAlertPanel::togglePlacement(AppState& state)
{
    const std::optional<bool> on = ToggleOptionSwitch(state, OptionSwitch::TemplatePlacement);
    if (!on)
        return;
    m_placementColour = *on ? WindowsColour::SwitchOn : WindowsColour::SwitchOff;
    QPalette colours = m_belowProperLabel->palette();
    colours.setColor(QPalette::Window, colourFromWindows(m_placementColour));
    m_belowProperLabel->setPalette(colours);
    m_belowProperLabel->setAutoFillBackground(true);
}
