#include "ledger/entry_pad.h"

#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QKeyEvent>
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
    m_decimals = decimals;
    // The pad itself takes the keyboard; its buttons are for the mouse and never keep the focus.
    setFocusPolicy(Qt::StrongFocus);
    const bool hideExplanation = ReadFlag(state.ClientSettings[ClientLine::HideExplanations]);
    for (const PadControl& control : EntryPadControls(decimals, hideExplanation)) {
        auto* button = placed(new QPushButton(control.caption, this), control.name, control.left, control.top,
                              control.width, control.height);
        button->setVisible(control.visible);
        button->setFocusPolicy(Qt::NoFocus);
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

void EntryPad::typeText(const QString& text)
{
    if (const QString key = PadKeyOfTypedText(text, m_decimals); !key.isEmpty())
        pressKey(key);
}

void EntryPad::closeEvent(QCloseEvent* event)
{
    if (QWidget* owner = parentWidget())
        owner->window()->activateWindow();
    QWidget::closeEvent(event);
}

void EntryPad::keyPressEvent(QKeyEvent* event)
{
    // Enter in the text box confirms there and still reaches the pad: nothing more to do.
    if (m_confirmed)
        return;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        confirm(m_readout.confirmReadout());
        return;
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Backspace:
        m_readout.backspace();
        sync();
        return;
    case Qt::Key_Delete:
        m_readout.clear();
        sync();
        return;
    default:
        break;
    }
    if (const QString key = PadKeyOfTypedText(event->text(), m_decimals); !key.isEmpty()) {
        pressKey(key);
        return;
    }
    QWidget::keyPressEvent(event);
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
    m_confirmed = true;
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
