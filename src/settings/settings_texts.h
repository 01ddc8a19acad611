#pragma once
// The texts of the settings screen: its title, the explanation box, the questions and messages
// of the vocabulary editor, the backup boxes, the start month and the year roll-over.
#include <QString>

struct IoResult;
struct RolloverResult;

namespace SettingsText {
inline const QString ConfirmTitle = QStringLiteral("登録確認");
inline const QString ErrorTitle = QStringLiteral("異常確認");
inline const QString WordTooLong = QStringLiteral("項目名が文字数を超えてます。");
inline const QString ConfirmChange = QStringLiteral(" このまま実行しますか？　　　");
inline const QString SwapPendingCount = QStringLiteral("項目入替");
}

// The program title + "　初期設定".
QString SettingsWindowTitle();
// "説明" of the command bar.
QString SettingsExplanation();

// "入れ替え": the trimmed word and how the swap goes on.
QString SwapQuestion(const QString& word);

// The questions of the "有" and "無" backup boxes.
QString BackupOnQuestion();
QString BackupOffQuestion();
// The client settings could not be written.
QString ClientSettingsFailureMessage(const IoResult& io);

// "挿  入" on a list whose last entry holds a word.
QString InsertWouldDropWordMessage();

// "終      了" while edits of the lists, the names or the mail addresses are not registered.
QString UnregisteredChangesQuestion();

// "登　録" of the vocabulary editor.
QString ListsRegisteredMessage();
QString ListsNotRegisteredMessage(const IoResult& io);

// A chosen start month that could not be written.
QString StartMonthNotSavedMessage(const IoResult& io);
// The question before any other start month: the monthly quantities already entered keep their
// place in the ledger year, so on every client they are shown under the months counted from the
// new start (the first and the last month of the year given as examples).
QString StartMonthRelabelQuestion(const QString& currentMonth, const QString& chosenMonth);
// The question when the chosen month opens the next ledger year.
QString RolloverQuestion(const QString& currentMonth, const QString& chosenMonth);
// The outcome of the roll-over (title ConfirmTitle when done, ErrorTitle otherwise).
// The start month in the file is no longer the one the screen showed.
QString StartMonthChangedElsewhereMessage(const QString& shown, const QString& current);
QString RolloverMessage(const RolloverResult& result, const QString& chosenMonth);
