// labels [--filter COL=WORD …] [ITEMNO …] --out FILE.pdf [--layout 12|24|44] [--code barcode|qr|both]
// [--place]: item labels as a PDF, of the listed items, of the filter's hits, or of every item.
#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/console_output.h"
#include "cli/ledger_commands.h"
#include "labels/label_pdf.h"
#include "ledger/filter_scan.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/file_error.h"
#include "storage/ledger_file.h"

#include <QFileInfo>
#include <algorithm>

namespace {

LabelItem labelOf(const ItemRecord& record)
{
    return {record.text(ItemField::Number).trimmed(), record.text(ItemField::Name).trimmed(),
            record.text(ItemField::Place).trimmed()};
}

} // namespace

int RunLabels(Invocation& invocation)
{
    QStringList args = invocation.args();
    std::optional<FilterConditionRows> rows;
    QString error;
    if (!TakeFilterOptions(args, rows, error))
        return invocation.usageError(error);
    const bool withPlace = TakeFlag(args, QStringLiteral("--place"));
    const ParsedArguments parsed =
        ParseArguments(args, {QStringLiteral("--out"), QStringLiteral("--layout"), QStringLiteral("--code")});
    if (!parsed.error.isEmpty())
        return invocation.usageError(parsed.error);
    const QString out = parsed.options.value(QStringLiteral("--out"));
    if (out.isEmpty())
        return invocation.usageError(QStringLiteral("labels needs --out FILE.pdf"));
    const std::optional<qint64> layout = ParseWholeNumber(parsed.options.value(QStringLiteral("--layout"), QStringLiteral("24")), 1, 99);
    const std::optional<LabelSheet> sheet = layout ? LabelSheetOfLayout(int(*layout)) : std::nullopt;
    if (!sheet)
        return invocation.usageError(QStringLiteral("--layout is 12, 24 or 44"));
    const QString code = parsed.options.value(QStringLiteral("--code"), QStringLiteral("both"));
    LabelOptions options{*sheet, LabelCodes::Both, withPlace};
    if (code == QStringLiteral("barcode"))
        options.codes = LabelCodes::Barcode;
    else if (code == QStringLiteral("qr"))
        options.codes = LabelCodes::Qr;
    else if (code != QStringLiteral("both"))
        return invocation.usageError(QStringLiteral("--code is barcode, qr or both"));

    AppState* state = invocation.startUp();
    if (!state)
        return ExitFailed;
    QList<int> records;
    if (rows) {
        const std::optional<QList<int>> found = FilterHitsOf(invocation, *state, *rows);
        if (!found)
            return ExitFailed;
        records = *found;
    }
    if (!invocation.ledgerOpens(*state))
        return ExitFailed;
    QList<LabelItem> ledger;
    {
        LedgerCloser closer(*state);
        const IoResult opened = OpenLedger(*state);
        if (!opened || !ScanLedger(*state, 1, state->RecordCount,
                                   [&ledger](int, const ItemRecord& record) { ledger.append(labelOf(record)); })) {
            invocation.printMessage(QStringLiteral("the ledger cannot be read: %1").arg(LedgerPath(*state)));
            return ExitFailed;
        }
    }
    QList<LabelItem> items;
    for (int n : std::as_const(records))
        if (n >= 1 && n <= ledger.size())
            items.append(ledger[n - 1]);
    for (const QString& number : parsed.positional) {
        const auto found = std::find_if(ledger.begin(), ledger.end(),
                                        [&number](const LabelItem& item) { return item.number == number; });
        if (found == ledger.end()) {
            invocation.printMessage(QStringLiteral("no item has the number %1").arg(number));
            return ExitFailed;
        }
        items.append(*found);
    }
    if (!rows && parsed.positional.isEmpty())
        items = ledger;
    if (items.isEmpty()) {
        invocation.printMessage(QStringLiteral("no items to label"));
        return ExitFailed;
    }

    const QString path = QFileInfo(out).absoluteFilePath();
    const LabelRun run = WriteLabelsPdf(path, items, options);
    if (!run.io) {
        invocation.printMessage(QStringLiteral("the labels were not written: %1\n%2")
                                    .arg(DescribeFileError(ClassifyFileError(run.io.errorCode, run.io.path)), path));
        return ExitFailed;
    }
    for (const QString& number : run.qrInstead)
        PrintError(QStringLiteral("tev-cli labels: %1 has characters a barcode cannot hold: printed as a QR code\n").arg(number));
    PrintOut(QStringLiteral("%1\nlabels: %2\npages: %3\n").arg(path).arg(items.size()).arg(run.pages));
    return ExitSuccess;
}
