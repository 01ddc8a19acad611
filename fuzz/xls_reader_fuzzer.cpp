// The legacy .xls path: FreeXL on a file, then our reader of formula cells in the compound file
// and its BIFF records. The BIFF reader also runs on the bytes directly, so that inputs FreeXL
// refuses still reach it.
#include "fuzz_support.h"
#include "workbook/biff_formulas.h"
#include "workbook/workbook.h"

#include <QFile>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzBytes(data, size);

    (void)ReadWorkbookStream(bytes);
    for (const BiffFormula& formula : FindFirstSheetFormulas(bytes)) {
        FUZZ_CHECK(formula.row >= 0 && formula.row < 65536);
        FUZZ_CHECK(formula.column >= 0 && formula.column < 256);
    }

    const QString path = ScratchPath("xls");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    WorkbookStatus status;
    std::unique_ptr<Workbook> book = Workbook::load(path, status);
    FUZZ_CHECK(bool(book) == status.ok());
    if (book) {
        ReadWholeSheet(book->sheet());
        for (int r = 1; r <= book->sheet().lastRow(); ++r)
            for (const SheetCell& cell : book->sheet().row(r)->cells)
                FUZZ_CHECK(cell.kind != CellKind::Number || std::isfinite(cell.number));
    }
    QFile::remove(path);
    return 0;
}
