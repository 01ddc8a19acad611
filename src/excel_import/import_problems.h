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
        NumberTooLong,   // a number longer than its field; it is not stored (never cut), the field stays empty
        MissingCharacters, // characters the ledger's code page cannot hold (the value); they would become "?"
        QuoteReplaced,   // a list entry with '"', which the list files cannot hold; it becomes "'"
        NoResult,        // a formula saved without its result: the import is refused
        ErrorValue,      // an error value (#REF!, …) where a number is read: the import is refused
    };
    Kind kind = Kind::TextCut;
    int row = 0;         // worksheet row (1-based)
    QString column;      // column letter(s), empty when the problem concerns the row
    QString value;       // the value concerned (the item number of a duplicate)

    // A problem the user cannot accept: the workbook holds no value the import could store.
    bool refusesImport() const { return kind == Kind::NoResult || kind == Kind::ErrorValue; }
};

// True when one of the problems refuses the import.
bool ImportIsRefused(const QList<ImportProblem>& problems);

// One line of the summary, e.g. "行 9 F列：文字数が欄の幅を超えるため切り詰められます（…）".
QString ImportProblemLine(const ImportProblem& problem);

// The question shown before an import that found problems: the first `maxLines` problem lines,
// a count of the rest, and "取り込みを続けますか？".
QString ImportProblemQuestion(const QList<ImportProblem>& problems, int maxLines = 20);
QString ImportProblemTitle(); // "インポート確認"

// Why an import with problems that refuse it (ImportIsRefused) writes nothing: the first
// `maxLines` of those cells, a count of the rest, and how to give them their values.
QString ImportRefusalMessage(const QList<ImportProblem>& problems, int maxLines = 20);

struct WorkbookStatus;

// The message for an import workbook that cannot be read: missing (error 53 or 76) or not a
// workbook / damaged (432 and the rest), too large (with its size and the limit), with the path
// looked at. Title ImportProblemTitle().
QString ImportWorkbookFailureMessage(const WorkbookStatus& status, const QString& path);
// "（シートの大きさ 390 MB、上限 256 MB）" or "（セル 10,000,001 個以上、上限 10,000,000 個）" for TooLarge.
QString WorkbookSizeText(const WorkbookStatus& status);
