#include "storage/ledger_damage.h"

#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "storage/platform_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr qint64 RecordLength = ItemRecord::Length;

struct FieldPlace {
    RecordField field;
    int offset = 0;
    int width = 0;
};

// Every field of a record in file order: text[0..20], then qty column by column.
const std::vector<FieldPlace>& fieldPlaces()
{
    static const std::vector<FieldPlace> places = [] {
        std::vector<FieldPlace> list;
        for (int i = 0; i < ItemRecord::TextCount; ++i)
            list.push_back({RecordField{true, i, 0, 0}, ItemRecord::textOffset(i), ItemRecord::TextWidth});
        for (int c = 0; c < ItemRecord::QtyColumns; ++c)
            for (int r = 0; r < ItemRecord::QtyRows; ++r)
                list.push_back({RecordField{false, 0, r, c}, ItemRecord::qtyOffset(r, c), ItemRecord::QtyWidth});
        return list;
    }();
    return places;
}

// Text after the first NUL of a field that is not NUL itself.
bool hidesTextAfterNul(const char* data, int width)
{
    const void* nul = std::memchr(data, '\0', size_t(width));
    if (!nul)
        return false;
    for (const char* p = static_cast<const char*>(nul); p < data + width; ++p)
        if (*p != '\0')
            return true;
    return false;
}

// "12 件目（在庫品No A-12）" where the item number can be read.
QString recordName(int recordNo, const char* record)
{
    QString text = QString::number(recordNo) + QStringLiteral(" 件目");
    const char* number = record + ItemRecord::textOffset(ItemField::Number);
    if (Cp932::isValid(number, ItemRecord::TextWidth)) {
        const QString item = FieldText(number, ItemRecord::TextWidth);
        if (!item.isEmpty())
            text += QStringLiteral("（在庫品No ") + item + QStringLiteral("）");
    }
    return text;
}

} // namespace

QString DescribeRecordDamage(int recordNo, const char* record, const RecordDamage& damage)
{
    const QString where = recordName(recordNo, record);
    switch (damage.kind) {
    case RecordDamage::Kind::BadEnd:
        return where + QStringLiteral("のレコードの終わりが CR LF ではありません。");
    case RecordDamage::Kind::NotCp932:
        return where + QStringLiteral("の ") + damage.field.name() + QStringLiteral(" が正しい文字ではありません。");
    case RecordDamage::Kind::TextAfterNul:
        return where + QStringLiteral("の ") + damage.field.name() + QStringLiteral(" に NUL 文字で隠れた文字があります。");
    }
    return where;
}

namespace {

IoResult damaged(const QString& path, const QString& detail)
{
    return IoResult::failure(path, EBADMSG, detail);
}

QString tailText(qint64 length)
{
    return QStringLiteral("ファイルの長さ %1 バイトがレコード（926 バイト）の倍数ではありません（%2 件目の後に %3 バイト）。")
        .arg(length)
        .arg(length / RecordLength)
        .arg(length % RecordLength);
}

} // namespace

QString RecordField::name() const
{
    if (isText)
        return QStringLiteral("text[%1]").arg(index);
    return QStringLiteral("qty[%1][%2]").arg(row).arg(column);
}

void VisitRecordDamage(const char* record, const std::function<void(const RecordDamage&)>& found)
{
    if (record[ItemRecord::EndStart] != '\r' || record[ItemRecord::EndStart + 1] != '\n')
        found(RecordDamage{RecordDamage::Kind::BadEnd, {}});
    for (const FieldPlace& place : fieldPlaces()) {
        const char* data = record + place.offset;
        if (!Cp932::isValid(data, place.width))
            found(RecordDamage{RecordDamage::Kind::NotCp932, place.field});
        else if (hidesTextAfterNul(data, place.width))
            found(RecordDamage{RecordDamage::Kind::TextAfterNul, place.field});
    }
}

std::optional<RecordDamage> FirstRecordDamage(const char* record)
{
    std::optional<RecordDamage> first;
    VisitRecordDamage(record, [&](const RecordDamage& damage) {
        if (!first)
            first = damage;
    });
    return first;
}

IoResult CheckLedgerBytes(const QString& path, const char* data, qint64 length, int firstRecordNo)
{
    if (length % RecordLength != 0)
        return damaged(path, tailText(length));
    const qint64 count = length / RecordLength;
    for (qint64 k = 0; k < count; ++k) {
        const char* record = data + k * RecordLength;
        if (const std::optional<RecordDamage> first = FirstRecordDamage(record))
            return damaged(path, DescribeRecordDamage(firstRecordNo + int(k), record, *first));
    }
    return IoResult::success();
}

IoResult CheckLedgerEnd(QFile& ledger)
{
    const qint64 length = ledger.size();
    if (length % RecordLength != 0)
        return damaged(ledger.fileName(), tailText(length));
    if (length == 0)
        return IoResult::success();
    char end[2] = {};
    errno = 0;
    if (!ledger.seek(length - 2) || ledger.read(end, 2) != 2)
        return IoResult::failure(ledger.fileName(), errno ? errno : EIO, ledger.errorString());
    if (end[0] != '\r' || end[1] != '\n') {
        const int last = int(length / RecordLength);
        return damaged(ledger.fileName(),
                       QString::number(last) + QStringLiteral(" 件目のレコードの終わりが CR LF ではありません。"));
    }
    return IoResult::success();
}

IoResult CheckLedgerFileEnd(const QString& path)
{
    QFile ledger;
    if (!OpenFileNoFollow(ledger, path, QIODevice::ReadOnly))
        return IoResult::success();
    return CheckLedgerEnd(ledger);
}

QString LedgerDamageMessage(const IoResult& io)
{
    return QStringLiteral("　台帳ファイルが壊れているため、書き込みをしませんでした。") + u'\r' + QStringLiteral("　") + io.detail
        + u'\r' + QStringLiteral("　") + io.path + u'\r'
        + QStringLiteral("　台帳の修復（在庫台帳画面の「修復」または tev-cli repair）を行ってください。");
}
