#include "ui/message_box_dialogs.h"

#include "ui/busy_cursor.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The captions of the standard buttons. Qt's own Japanese translation gives the same texts when
// it is installed; set here, they are Japanese without it as well.
void captionButtons(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Yes, QStringLiteral("はい")},
        {QMessageBox::No, QStringLiteral("いいえ")},
        {QMessageBox::Cancel, QStringLiteral("キャンセル")},
        {QMessageBox::Ok, QStringLiteral("OK")},
    };
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(caption);
}

// Shows the box and waits for the user with the ordinary pointer, whatever busy section asked.
int showAndWait(QDialog& box)
{
    OverrideCursorPause pause;
    return box.exec();
}

} // namespace

QString MessageBoxDialogs::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar(u'\r'), QChar(u'\n'));
    return shown;
}

QWidget* MessageBoxDialogs::parentWidget() const
{
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

void MessageBoxDialogs::inform(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Ok, parentWidget());
    captionButtons(box);
    showAndWait(box);
}

void MessageBoxDialogs::notify(const QString& title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Ok, parentWidget());
    captionButtons(*box);
    box->setObjectName(QStringLiteral("notice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

Dialogs::Answer MessageBoxDialogs::ask(const QString& title, const QString& text)
{
    return askWithDefault(title, text, true);
}

Dialogs::Answer MessageBoxDialogs::askDefaultNo(const QString& title, const QString& text)
{
    return askWithDefault(title, text, false);
}

Dialogs::Answer MessageBoxDialogs::askWithDefault(const QString& title, const QString& text, bool defaultYes)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Yes | QMessageBox::No,
                    parentWidget());
    captionButtons(box);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return showAndWait(box) == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Dialogs::Choice MessageBoxDialogs::askYesNoCancel(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parentWidget());
    captionButtons(box);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (showAndWait(box)) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

std::optional<QString> MessageBoxDialogs::askText(const QString& title, const QString& prompt, bool secret)
{
    QInputDialog box(parentWidget());
    box.setWindowTitle(title);
    box.setLabelText(displayText(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextEchoMode(secret ? QLineEdit::Password : QLineEdit::Normal);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("キャンセル"));
    if (showAndWait(box) != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}
