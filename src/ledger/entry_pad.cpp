#include "ledger/entry_pad.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EntryPad::EntryPad(AppState& state, const QString& startValue, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_state(state)
{
    setObjectName(QStringLiteral("entryPad"));
    setWindowTitle(QStringLiteral("マウス電卓"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsRect(0, 0, EntryPadSize::WidthTwips, EntryPadSize::HeightTwips).size());

    m_display = placed(new QLabel(this), QStringLiteral("padReadout"), 960, 120, 3015, 375);
    m_display->setFrameShape(QFrame::Box);
    m_box = placed(new QLineEdit(this), QStringLiteral("padTextBox"), 960, 120, 3135, 375);

    const bool decimals = ReadFlag(state.SharedSettings[SharedLine::Decimals]);
    const bool hideExplanation = ReadFlag(state.ClientSettings[ClientLine::HideExplanations]);
    for (const PadControl& control : EntryPadControls(decimals, hideExplanation)) {
        auto* button = placed(new QPushButton(control.caption, this), control.name, control.left, control.top,
                              control.width, control.height);
        button->setVisible(control.visible);
        if (control.key) {
            connect(button, &QPushButton::clicked, this, [this, caption = control.caption] { pressKey(caption); });
        } else if (control.name == QStringLiteral("padConfirmButton")) {
            connect(button, &QPushButton::clicked, this, [this] { confirm(m_readout.confirmReadout()); });
        } else if (control.name == QStringLiteral("padSecondConfirmButton")) {
            m_second = button;
            connect(button, &QPushButton::clicked, this, [this] { confirm(m_readout.confirmTextBox(m_box->text())); });
        } else if (control.name == QStringLiteral("padClearButton")) {
            connect(button, &QPushButton::clicked, this, &EntryPad::clearEntry);
        } else if (control.name == QStringLiteral("padCloseButton")) {
            connect(button, &QPushButton::clicked, this, &QWidget::close);
        } else if (control.name == QStringLiteral("padExplainButton")) {
            connect(button, &QPushButton::clicked, this,
                    [this] { m_state.dialogs.inform(QStringLiteral("入力確認"), EntryPadExplanation()); });
        }
    }
    m_second->raise();
    // Typing into the box brings up the second "決 定", which takes the box's text: a value typed
    // after "取消" is never lost to the readout.
    connect(m_box, &QLineEdit::textEdited, this, [this] {
        m_readout.textBoxUsed();
        m_second->show();
    });
    connect(m_box, &QLineEdit::returnPressed, this, [this] {
        m_box->hide();
        confirm(m_readout.confirmTextBox(m_box->text()));
    });

    m_readout.open(FieldText(startValue));
    sync();
}

QString EntryPad::readoutText() const
{
    return m_readout.readout();
}

void EntryPad::pressKey(const QString& caption)
{
    m_readout.pressKey(caption);
    sync();
}

void EntryPad::clearEntry()
{
    m_readout.clear();
    sync();
    m_box->setFocus();
}

void EntryPad::confirm(const QString& value)
{
    hide();
    emit confirmed(value);
    close();
}

void EntryPad::sync()
{
    m_display->setText(m_readout.readout());
    m_box->setText(m_readout.textBox());
    m_box->setVisible(m_readout.textBoxVisible());
    m_second->setVisible(m_readout.secondConfirmVisible());
}
