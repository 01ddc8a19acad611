#pragma once
// What the check before an import finds in a workbook: each problem with the worksheet row it
// sits in, and the one summary the user reads before deciding whether to go on.
#include <QList>
#include <QString>

struct ImportProblem {
    enum class Kind {
        DuplicateNumber, // an item number that an earlier row of the workbook already has
        TextCut,         // a value longer than its field; it would be cut
        TextInNumber,    // a number column holding text; it is stored as that text
        OverCapacity,    // items beyond what the ledger can hold; they are not imported
        TooManyEntries,  // list entries beyond what a word list takes; they are not imported
        RateTooLong,     // a computed achievement rate longer than its field; it is left empty
    };
    Kind kind = Kind::TextCut;
    int row = 0;         // worksheet row (1-based)
    QString column;      // column letter(s), empty when the problem concerns the row
    QString value;       // the value concerned (the item number of a duplicate)
};

// One line of the summary, e.g. "行 9 F列：文字数が欄の幅を超えるため切り詰められます（…）".
QString ImportProblemLine(const ImportProblem& problem);

// The question shown before an import that found problems: the first `maxLines` problem lines,
// a count of the rest, and "取り込みを続けますか？".
QString ImportProblemQuestion(const QList<ImportProblem>& problems, int maxLines = 20);
QString ImportProblemTitle(); // "インポート確認"

struct WorkbookStatus;

// The message for an import workbook that cannot be read: missing (error 53 or 76) or not a
// workbook / damaged (432 and the rest), with the path looked at. Title ImportProblemTitle().
QString ImportWorkbookFailureMessage(const WorkbookStatus& status, const QString& path);
