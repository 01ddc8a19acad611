#pragma once
// The change log "Ma在庫品履歴.log" in the data folder: one line for every change of ledger data,
// in cp932 with CR LF, fields separated by tabs:
//   date and time "yyyy/MM/dd hh:mm:ss", PcName, operation, record number, item number,
//   then one field per changed item field: "caption: old → new".
// Lines about a whole operation (a sort, a count of imported items) leave the record number and
// the item number empty. The lines of one operation are appended in one write call while the
// operation still holds the ledger lock, so that the lines of two clients never mix.
//
// The log follows the data: it is written after the change is on disk, and a log that cannot be
// written neither undoes nor blocks the change; the client is told once (ReportChangeLogResult).
#include "storage/io_result.h"
#include "storage/item_record.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

struct AppState;

// The operations the log names.
namespace ChangeOperation {
inline const QString NewItem = QStringLiteral("新規登録");
inline const QString CopiedItem = QStringLiteral("複写登録");
inline const QString Correction = QStringLiteral("訂正");
inline const QString Appended = QStringLiteral("追加");
inline const QString ItemImport = QStringLiteral("在庫品インポート");
inline const QString MonthlyImport = QStringLiteral("入出庫インポート");
inline const QString Sort = QStringLiteral("並替");
inline const QString Delete = QStringLiteral("削除");
inline const QString YearRollover = QStringLiteral("年度更新");
inline const QString LedgerEdit = QStringLiteral("一括変更");
inline const QString Repair = QStringLiteral("修復");
}

struct ChangeLogEntry {
    QString when;       // "yyyy/MM/dd hh:mm:ss"
    QString pcName;
    QString operation;
    int recordNo = 0;   // 0: the line is about the whole operation
    QString itemNumber;
    QStringList changes;
    bool operator==(const ChangeLogEntry&) const = default;
};

QString ChangeLogPath(const AppState& state);

// One line with its CR LF, in cp932. Tabs and line breaks inside a value become spaces.
QByteArray FormatChangeLogLine(const ChangeLogEntry& entry);
// A line without its line end.
ChangeLogEntry ParseChangeLogLine(const QByteArray& line);

// What a changed field is called in the log: text[0..20] first, then qty[r][c] at
// ItemRecord::TextCount + r × ItemRecord::QtyColumns + c.
inline constexpr int ChangeFieldCount = ItemRecord::TextCount + ItemRecord::QtyRows * ItemRecord::QtyColumns;
using ChangeFieldNames = std::array<QString, ChangeFieldCount>;
// "text[n]" and "qty[r][c]", for lines written without the captions at hand.
ChangeFieldNames PlainFieldNames();

// "name: old → new" for every field whose text differs, text fields first.
QStringList DescribeChanges(const ItemRecord& before, const ItemRecord& after, const ChangeFieldNames& names);

// The lines of one operation, collected while it runs and appended in one write.
class ChangeLog {
public:
    // The operation is written as given, followed by the state's ChangeOrigin in brackets when
    // one is set (for example "訂正 (tev-cli move)").
    ChangeLog(const AppState& state, const QString& operation);

    void setFieldNames(const ChangeFieldNames& names) { m_names = names; }
    const QString& operation() const { return m_operation; }

    void addLine(int recordNo, const QString& itemNumber, const QStringList& changes = {});
    // A record that changed from `before` to `after`; the item number is the new one.
    void addChange(int recordNo, const ItemRecord& before, const ItemRecord& after);
    // A record that is new: the fields it holds, as changes from empty.
    void addNewRecord(int recordNo, const ItemRecord& record);
    // A line about the whole operation.
    void addSummary(const QStringList& facts) { addLine(0, QString(), facts); }

    int lineCount() const { return int(m_entries.size()); }
    const QList<ChangeLogEntry>& entries() const { return m_entries; }

    // Appends every line collected (stamped with the present time) in one write and forgets them.
    // Called while the ledger lock is held. Nothing collected: nothing is written.
    IoResult write();

private:
    QString m_path;
    QString m_pcName;
    QString m_operation;
    ChangeFieldNames m_names;
    QList<ChangeLogEntry> m_entries;
};

// The lines of one item (by item number), oldest first. A missing log is an empty history.
QList<ChangeLogEntry> ReadItemHistory(const AppState& state, const QString& itemNumber, IoResult* io = nullptr);

// After the ledger lock is released: a failed write shows ChangeLogFailureMessage (title
// "異常確認") unless this client has already been told since its last successful write.
void ReportChangeLogResult(AppState& state, const IoResult& written);
QString ChangeLogFailureMessage(const IoResult& io);
