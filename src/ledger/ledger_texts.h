#pragma once
// Fixed texts of the ledger screen: the window caption, the labels built from numbers and the
// explanation boxes (lines joined by CR).
#include <QString>

namespace LedgerText {
inline const QString ExplanationTitle = QStringLiteral("登録確認");
}

// The window caption: the product name + "　登録・訂正 ".
QString LedgerWindowTitle();
// "総数 " followed by a count.
QString CountLabelText(int count);
// " No " followed by a record number.
QString RecordNoLabelText(int recordNo);

// "説明" of the edit frame.
QString EditFrameExplanation();
// "説明" of the list area: two boxes, shown one after the other.
QString CalculationExplanation();
QString ColourExplanation();
// The caption beside the backup mark.
QString BackupMarkExplanation();

// The entry pad confirmed after the frame moved on to another item, mode or cell.
QString EntryPlaceChangedMessage();
// A number cell given text that is not a plain decimal number.
QString NotANumberMessage(const QString& typed);
// Leaving the item or the screen with entries not yet stored by "登　録".
QString UnsavedEntriesQuestion();
// The item-number jump box was given a number no item has.
QString UnknownItemNumberMessage(const QString& number);
