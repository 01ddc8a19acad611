// The message boxes, the switch label, the busy pointer and the desktop hand-over.
#include "storage/desktop_handover.h"
#include "ui/busy_cursor.h"
#include "ui/message_box_dialogs.h"
#include "ui/qt_japanese_texts.h"
#include "ui/switch_label.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

TEST(MessageBoxDialogs, CrAndCrLfBecomeLineBreaks)
{
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("a\rb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a\nb")},
        {QStringLiteral("\ra\r\r\nb\r"), QStringLiteral("\na\n\nb\n")},
        {QStringLiteral("一行"), QStringLiteral("一行")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageBoxDialogs::displayText(c.text), c.shown) << qPrintable(c.text);
}

namespace {

struct SeenBox {
    QString title;
    QString text;
    int buttons = 0;
    QStringList captions;  // the buttons' texts, in the order of the standard buttons
    QString defaultButton; // the caption of the button Enter presses
    bool overrideCursor = false;
};

// Presses `button` on the next message box and records what it showed.
void pressOnNextBox(SeenBox& seen, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), int(box->standardButtons())};
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (box->button(b))
                seen.captions.append(box->button(b)->text());
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        seen.overrideCursor = QGuiApplication::overrideCursor() != nullptr;
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
}

} // namespace

TEST(MessageBoxDialogs, AskShowsYesAndNoAndReturnsThePressedButton)
{
    MessageBoxDialogs dialogs;
    for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, Dialogs::Answer::Yes},
                                        std::pair{QMessageBox::No, Dialogs::Answer::No}}) {
        SeenBox seen;
        pressOnNextBox(seen, button);
        EXPECT_EQ(dialogs.ask(QStringLiteral("登録確認"), QStringLiteral("一行目\r二行目")), answer);
        EXPECT_EQ(seen.title, QStringLiteral("登録確認"));
        EXPECT_EQ(seen.text, QStringLiteral("一行目\n二行目"));
        EXPECT_EQ(seen.buttons, int(QMessageBox::Yes | QMessageBox::No));
    }
}

// Escape, like closing the box, calls the question off.
TEST(MessageBoxDialogs, AskYesNoCancelShowsThreeButtonsAndEscapeCancels)
{
    MessageBoxDialogs dialogs;
    for (const auto& [button, choice] : {std::pair{QMessageBox::Yes, Dialogs::Choice::Yes},
                                        std::pair{QMessageBox::No, Dialogs::Choice::No},
                                        std::pair{QMessageBox::Cancel, Dialogs::Choice::Cancel}}) {
        SeenBox seen;
        pressOnNextBox(seen, button);
        EXPECT_EQ(dialogs.askYesNoCancel(QStringLiteral("登録確認"), QStringLiteral("一行目\r二行目")), choice);
        EXPECT_EQ(seen.title, QStringLiteral("登録確認"));
        EXPECT_EQ(seen.text, QStringLiteral("一行目\n二行目"));
        EXPECT_EQ(seen.buttons, int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    }
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(dialogs.askYesNoCancel(QStringLiteral("登録確認"), QStringLiteral("?")), Dialogs::Choice::Cancel);
}

TEST(MessageBoxDialogs, InformHasOnlyOk)
{
    MessageBoxDialogs dialogs;
    SeenBox seen;
    pressOnNextBox(seen, QMessageBox::Ok);
    dialogs.inform(QStringLiteral("確認"), QStringLiteral("パスワードが違います。。"));
    EXPECT_EQ(seen.title, QStringLiteral("確認"));
    EXPECT_EQ(seen.buttons, int(QMessageBox::Ok));
}

// A notice returns at once (the caller may hold a lock that other clients wait for) and stays
// on screen until the user closes it.
TEST(MessageBoxDialogs, NotifyDoesNotWaitForTheUser)
{
    MessageBoxDialogs dialogs;
    dialogs.notify(QStringLiteral("確認"), QStringLiteral("一行目\r二行目"));
    QMessageBox* notice = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("notice") && widget->isVisible())
            notice = qobject_cast<QMessageBox*>(widget);
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isModal());
    EXPECT_EQ(notice->text(), QStringLiteral("一行目\n二行目"));
    // Closing it deletes it once the events are processed.
    QPointer<QMessageBox> closed(notice);
    notice->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

// The buttons speak Japanese whether or not Qt's translation is installed, and a question whose
// Yes gives up data has いいえ under Enter.
TEST(MessageBoxDialogs, ButtonsAreCaptionedInJapaneseAndAskDefaultNoDefaultsToNo)
{
    MessageBoxDialogs dialogs;
    const QString title = QStringLiteral("登録確認");
    const struct {
        const char* what;
        std::function<void()> show;
        QMessageBox::StandardButton press;
        QStringList captions;
        QString defaultButton;
    } cases[] = {
        {"inform", [&] { dialogs.inform(title, QStringLiteral("済")); }, QMessageBox::Ok, {QStringLiteral("OK")}, {}},
        {"ask", [&] { dialogs.ask(title, QStringLiteral("?")); }, QMessageBox::No,
         {QStringLiteral("はい"), QStringLiteral("いいえ")}, QStringLiteral("はい")},
        {"askDefaultNo", [&] { dialogs.askDefaultNo(title, QStringLiteral("?")); }, QMessageBox::No,
         {QStringLiteral("はい"), QStringLiteral("いいえ")}, QStringLiteral("いいえ")},
        {"askYesNoCancel", [&] { dialogs.askYesNoCancel(title, QStringLiteral("?")); }, QMessageBox::Cancel,
         {QStringLiteral("はい"), QStringLiteral("いいえ"), QStringLiteral("キャンセル")}, QStringLiteral("はい")},
    };
    for (const auto& c : cases) {
        SeenBox seen;
        pressOnNextBox(seen, c.press);
        c.show();
        EXPECT_EQ(seen.captions, c.captions) << c.what;
        if (!c.defaultButton.isEmpty())
            EXPECT_EQ(seen.defaultButton, c.defaultButton) << c.what;
    }

    // Enter on askDefaultNo answers No.
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    EXPECT_EQ(dialogs.askDefaultNo(title, QStringLiteral("?")), Dialogs::Answer::No);
}

TEST(MessageBoxDialogs, TextPromptHasJapaneseButtons)
{
    MessageBoxDialogs dialogs;
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        for (QPushButton* button : box->findChildren<QPushButton*>())
            captions.append(button->text());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.askText(QStringLiteral("確認"), QStringLiteral("パスワード"), true), std::nullopt);
    captions.sort();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
}

// A box raised inside busy sections waits for the user with the ordinary pointer; the busy
// sections get their pointer back when it closes.
TEST(MessageBoxDialogs, BoxShownInsideABusySectionShowsNoBusyPointer)
{
    MessageBoxDialogs dialogs;
    {
        BusyCursor outer;
        {
            BusyCursor inner;
            SeenBox seen;
            pressOnNextBox(seen, QMessageBox::Yes);
            EXPECT_EQ(dialogs.askDefaultNo(QStringLiteral("登録確認"), QStringLiteral("?")), Dialogs::Answer::Yes);
            EXPECT_FALSE(seen.overrideCursor);
            pressOnNextBox(seen, QMessageBox::Ok);
            dialogs.inform(QStringLiteral("確認"), QStringLiteral("済"));
            EXPECT_FALSE(seen.overrideCursor);
            ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        // Both levels were put back, no more and no fewer.
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Qt's own texts (the buttons of its file and input dialogs, text field menus) come from its
// Japanese translation when the package that holds it is installed.
TEST(JapaneseQtTexts, QtsOwnButtonTextsBecomeJapaneseWhenTheTranslationIsInstalled)
{
    const QString qm = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
    if (!QFileInfo::exists(qm))
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    ASSERT_TRUE(UseJapaneseQtTexts(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

TEST(SwitchLabel, PaintsOnPinkOffWhiteAndReportsClicks)
{
    SwitchLabel label;
    EXPECT_FALSE(label.isOn());
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(255, 255, 255));
    label.setOn(true);
    EXPECT_TRUE(label.isOn());
    EXPECT_EQ(label.colourValue(), WindowsColour::SwitchOn);
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(255, 128, 128));
    label.setColourValue(WindowsColour::ButtonFace);
    EXPECT_FALSE(label.isOn());
    EXPECT_EQ(label.palette().color(QPalette::Window), QGuiApplication::palette().color(QPalette::Button));

    label.resize(30, 20);
    QSignalSpy spy(&label, &SwitchLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(BusyCursor, ShowsTheWaitCursorForItsScope)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyCursor busy;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(DesktopHandover, RecordingImplementationKeepsEveryPath)
{
    RecordingDesktopHandover desktop;
    EXPECT_TRUE(desktop.open(QStringLiteral("/data/M在庫台帳/在庫台帳.xlsx")));
    desktop.result = false;
    EXPECT_FALSE(desktop.open(QStringLiteral("/data/M在庫資料")));
    EXPECT_EQ(desktop.opened, QStringList({QStringLiteral("/data/M在庫台帳/在庫台帳.xlsx"), QStringLiteral("/data/M在庫資料")}));
}
