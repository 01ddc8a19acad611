#include "menu/menu_examples_panel.h"

#include "menu/menu_texts.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QPushButton>

MenuExamplesPanel::MenuExamplesPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    m_text = placed(new QLabel(UsageExamplesText(), this), QStringLiteral("examplesText"), 360, 240,
                    WidthTwips - 720, HeightTwips - 1080);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("examplesCloseButton"),
                     WidthTwips - 1800, HeightTwips - 660, 1600, 450);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
}
