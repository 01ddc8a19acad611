#include "cli/command.h"
#include "cli/ledger_commands.h"

int RunExportLedger(Invocation& invocation);
int RunExportSpec(Invocation& invocation);
int RunExportVocab(Invocation& invocation);
int RunMailLedger(Invocation& invocation);
int RunCheckShare(Invocation& invocation);
int RunLabels(Invocation& invocation);

const QList<Command>& CommandTable()
{
    static const QList<Command> table = {
        {QStringLiteral("info"), QString(), QStringLiteral("data folder, record count, capacity, start month, total stock value"),
         &RunInfo},
        {QStringLiteral("verify"), QString(),
         QStringLiteral("checks the ledger (length, record ends, cp932) and both settings files"), &RunVerify},
        {QStringLiteral("check-share"), QStringLiteral("[FOLDER]"),
         QStringLiteral("tries in the data folder (or FOLDER) the file calls shared data rely on: the lock, writing "
                        "in place, appending, syncing, replacing by rename; prints one line per step"),
         &RunCheckShare},
        {QStringLiteral("dump"), QStringLiteral("[--from N] [--count M]"),
         QStringLiteral("one tab-separated line per record"), &RunDump},
        {QStringLiteral("generate"), QStringLiteral("N [--seed S]"),
         QStringLiteral("appends N synthetic items (the same seed gives the same items)"), &RunGenerate},
        {QStringLiteral("filter"), QStringLiteral("COL=WORD [COL=WORD [COL=WORD]]"),
         QStringLiteral("the ledger screen's filter (COL 1, 2, 3, 4, 5 or 8): hit record numbers, then the count"), &RunFilter},
        {QStringLiteral("sort"), QString(), QStringLiteral("sorts the ledger by name and item number and commits it"), &RunSort},
        {QStringLiteral("delete"), QStringLiteral("N [N ...]"), QStringLiteral("removes records by number and commits"),
         &RunDelete},
        {QStringLiteral("recalc"), QString(), QStringLiteral("recomputes the total stock value"), &RunRecalc},
        {QStringLiteral("repair"), QString(),
         QStringLiteral("copies a damaged ledger into M在庫台帳 and writes its sound records back; prints what was left out"),
         &RunRepair},
        {QStringLiteral("rollover"), QStringLiteral("YYYY/MM"),
         QStringLiteral("starts the ledger year YYYY/MM, twelve months after the current start month: stocks into the "
                        "previous-year stock, months emptied, the old ledger kept in M在庫台帳; prints the copy's path"),
         &RunRollover},
        {QStringLiteral("export-ledger"), QStringLiteral("[--out FILE] [--filter COL=WORD ...]"),
         QStringLiteral("writes the ledger workbook, or that of the filter's hits (not opened), and prints its path"),
         &RunExportLedger},
        {QStringLiteral("export-vocab"), QStringLiteral("[--out FILE]"),
         QStringLiteral("writes the list-vocabulary workbook (not opened) and prints its path"), &RunExportVocab},
        {QStringLiteral("export-spec"), QStringLiteral("ITEMNO"),
         QStringLiteral("writes the item's specification workbook, kept and reused (not opened), and prints its path"),
         &RunExportSpec},
        {QStringLiteral("mail-ledger"), QString(),
         QStringLiteral("writes the ledger workbook and mails it to the registered recipients; prints its path and "
                        "the count"),
         &RunMailLedger},
        {QStringLiteral("labels"),
         QStringLiteral("[--filter COL=WORD ...] [ITEMNO ...] --out FILE.pdf [--layout 12|24|44] [--code barcode|qr|both] "
                        "[--place]"),
         QStringLiteral("item labels with a Code 128 barcode and/or a QR code of the item number, its name (and "
                        "storage place) on an A4 label sheet, as a PDF; of the items listed, the filter's hits, or "
                        "every item; prints the path, the count of labels and of pages"),
         &RunLabels},
        {QStringLiteral("move"), QStringLiteral("ITEMNO --month M (--in Q | --out Q) [--set]"),
         QStringLiteral("adds (or with --set replaces) a month's received or issued quantity, checks the stock, stores"),
         &RunMove},
        {QStringLiteral("import-items"), QStringLiteral("[FILE] [--check]"),
         QStringLiteral("imports the items of Mb在庫品INP (or FILE); --check only lists the problems"), &RunImportItems},
        {QStringLiteral("import-vocab"), QStringLiteral("[FILE] [--check]"),
         QStringLiteral("imports the word lists of Mb在庫品項目INP (or FILE); --check only lists the problems"),
         &RunImportVocab},
        {QStringLiteral("import-monthly"), QStringLiteral("[FILE] [--check]"),
         QStringLiteral("imports the monthly in/out totals of M在庫資料/Mb入出庫月報 (or FILE); --check writes nothing"),
         &RunImportMonthly},
    };
    return table;
}

const Command* FindCommand(const QString& name)
{
    for (const Command& command : CommandTable())
        if (command.name == name)
            return &command;
    return nullptr;
}

QString UsageText()
{
    QString text = QStringLiteral("usage: tev-cli [--client-folder DIR] COMMAND [ARGS]\n\ncommands:\n");
    for (const Command& command : CommandTable()) {
        const QString call = command.synopsis.isEmpty() ? command.name : command.name + u' ' + command.synopsis;
        text += QStringLiteral("  %1\n      %2\n").arg(call, command.summary);
    }
    text += QStringLiteral("\n--client-folder DIR takes the place of the environment variable TEV_CLIENT_FOLDER.\n"
                           "Exit status: 0 success, 1 refused or failed, 2 bad usage.\n");
    return text;
}
