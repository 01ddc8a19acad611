#pragma once
// The texts of the import screen: its title, the help and explanation boxes and the messages of
// the folder choice and the timed import.
#include <QString>

struct IoResult;

namespace ImportText {
inline const QString ConfirmTitle = QStringLiteral("登録確認");
inline const QString ErrorTitle = QStringLiteral("異常確認");
inline const QString ItemListKind = QStringLiteral("在庫品リスト");
inline const QString ItemModeKind = QStringLiteral("在庫リスト");
inline const QString VocabularyKind = QStringLiteral("在庫品項目");
inline const QString Waiting = QStringLiteral("待機中");
inline const QString Importing = QStringLiteral("取込中");
}

// "　インポート " + the product name.
QString ImportWindowTitle();
// The box of "説明".
QString ImportHelpText();
// The box shown for a click in the list of workbooks.
QString WorkbookListExplanation();
// "登　録" while no import folder is chosen.
QString NoImportFolderMessage();

// The timed import: the prompt for the time, a time that cannot be read, and the refusal to
// start while no time is set.
QString ImportTimePrompt();
QString InvalidImportTimeMessage(const QString& typed);
QString NoImportTimeMessage();

// A settings or list file that could not be written: the reason and the file.
QString SaveFailureMessage(const IoResult& io);
