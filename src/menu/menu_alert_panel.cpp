#include "menu/menu_alert_panel.h"

#include "ui/clickable_label.h"
#include "ui/widget_geometry.h"

#include <QFrame>
#include <QPushButton>

namespace {

QFrame* lamp(QWidget* parent, const QString& name, int left, int width)
{
    auto* frame = placed(new QFrame(parent), name, left, 150, width, 600);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    return frame;
}

ClickableLabel* lampLabel(QFrame* lamp, const QString& name, const QString& caption)
{
    auto* label = new ClickableLabel(caption, lamp);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(lamp->rect().adjusted(3, 3, -3, -3));
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
}
