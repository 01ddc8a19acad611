#pragma once
// What makes a ledger file unfit to be written on: a length that is not a whole number of
// records, a record that does not end in CR LF, a field that is not cp932 text, or a field with
// text hidden behind a NUL byte (every reader stops at the first NUL, so such text is invisible
// and a sort would drop an item whose name it hides). A field that is all NULs, or text padded
// with NULs, is sound: ledgers written by other clients may hold such fields.
//
// `tev-cli verify` lists every problem; the writers stop at the first one and refuse, naming the
// record and pointing to the repair, so that nothing is written on a damaged file.
#include "storage/io_result.h"

#include <QString>
#include <functional>
#include <optional>

class QFile;

// A field of a record: text[index] or qty[row][column].
struct RecordField {
    bool isText = true;
    int index = 0;  // text field 0..20
    int row = 0;    // quantity row 0..2
    int column = 0; // quantity column 0..15
    QString name() const; // "text[3]", "qty[1][5]"
    bool operator==(const RecordField&) const = default;
};

struct RecordDamage {
    enum class Kind { BadEnd, NotCp932, TextAfterNul };
    Kind kind = Kind::BadEnd;
    RecordField field; // not used for BadEnd
};

// Hands every damage of one 926-byte record to `found`: the record end first, then the fields
// in file order.
void VisitRecordDamage(const char* record, const std::function<void(const RecordDamage&)>& found);

// The first damage of one record (the record end first, then the fields in file order), if any.
std::optional<RecordDamage> FirstRecordDamage(const char* record);

// A damage in words for the user: "12 件目（在庫品No A-12）のレコードの終わりが CR LF ではありません。"
QString DescribeRecordDamage(int recordNo, const char* record, const RecordDamage& damage);

// Success, or EBADMSG with the first damage of the ledger's bytes in words for the user.
// `length` is the whole file's length, or that of the records checked, the first of which is
// record `firstRecordNo`; every whole record is checked.
IoResult CheckLedgerBytes(const QString& path, const char* data, qint64 length, int firstRecordNo = 1);

// What an append or a write in place needs, without reading the whole file: the file's length is
// a whole number of records and its last record ends in CR LF. EBADMSG as above, or the error of
// a failed read.
IoResult CheckLedgerEnd(QFile& ledger);

// The same for the ledger file at `path`, opened without following a link. Success when it
// cannot be opened: that is told by the opening itself.
IoResult CheckLedgerFileEnd(const QString& path);

// The text the screens and tev-cli show when a write was refused for damage (lines joined by CR).
QString LedgerDamageMessage(const IoResult& io);
