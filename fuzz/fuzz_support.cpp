#include "fuzz_support.h"

#include "workbook/worksheet.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void FuzzCheckFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", condition, file, line);
    std::abort();
}

QString ScratchPath(const char* suffix)
{
    static const QString folder = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
        ? QStringLiteral("/dev/shm")
        : QDir::tempPath();
    return QStringLiteral("%1/tev-fuzz-%2.%3").arg(folder).arg(getpid()).arg(QString::fromLatin1(suffix));
}

size_t ReadWholeSheet(const Worksheet& sheet)
{
    size_t digest = 0;
    for (int r = 1; r <= sheet.lastRow(); ++r) {
        const SheetRow* row = sheet.row(r);
        FUZZ_CHECK(row != nullptr);
        int previous = 0;
        for (const SheetCell& cell : row->cells) {
            FUZZ_CHECK(cell.column > previous); // cells stay ordered by column, each once
            previous = cell.column;
            digest += size_t(sheet.text(r, cell.column).size());
            digest += size_t(sheet.kind(r, cell.column));
            digest += sheet.number(r, cell.column) != 0 ? 1 : 0;
            digest += sheet.formatOf(r, cell.column).key().size();
        }
    }
    return digest;
}
