// Makes the workbooks the program folder ships: the output template "原本Excel/在庫出力台帳.xlsx"
// and the blank import forms in "原本INP/". Run by scripts/make-forms.sh; the files it writes
// are committed beside it.
#include "excel_import/daily_inout_workbook.h"
#include "workbook/cell_address.h"
#include "workbook/workbook.h"

#include <QDir>
#include <QString>
#include <cstdio>

namespace {
bool save(std::unique_ptr<Workbook>& book)
{
    const WorkbookStatus status = book->save();
    if (!status)
        std::fprintf(stderr, "cannot write %s (%d)\n", qPrintable(book->path()), status.error);
    return bool(status);
}

void captions(Workbook& book, int row, int column, std::initializer_list<const char16_t*> texts)
{
    for (const char16_t* text : texts) {
        book.sheet().setText(row, column, QString::fromUtf16(text));
        book.Cells(row, column).setFontBold(true);
        ++column;
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tev-make-forms RESOURCES_FOLDER\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    resources.mkpath(QStringLiteral("原本Excel"));
    resources.mkpath(QStringLiteral("原本INP"));

    auto blank = Workbook::createBlank(resources.filePath(QStringLiteral("原本Excel/在庫出力台帳.xlsx")));
    bool ok = save(blank);

    auto items = Workbook::createBlank(resources.filePath(QStringLiteral("原本INP/Mb在庫品INP.xlsx")));
    items->sheet().setText(3, 2, QStringLiteral("在庫品数"));
    items->sheet().setNumber(3, 3, 0);
    captions(*items, 4, 2, {u"No", u"在庫品NO", u"在庫品名", u"仕様", u"メーカー名", u"保管場所", u"単価", u"在庫金額",
                            u"単位", u"前年在庫", u"適正在庫", u"在庫数量", u"入出庫数", u"入出庫"});
    for (int m = 0; m < 12; ++m)
        items->sheet().setText(4, 16 + m, QStringLiteral("%1月").arg(m + 1));
    captions(*items, 4, 28, {u"予定数量", u"達成率(%)", u"使用開始"});
    ok = save(items) && ok;

    auto vocabulary = Workbook::createBlank(resources.filePath(QStringLiteral("原本INP/Mb在庫品項目INP.xlsx")));
    vocabulary->Cells().setTextNumberFormat();
    vocabulary->sheet().setText(3, 2, QStringLiteral("在庫品リストBox項目"));
    captions(*vocabulary, 4, 2, {u"品名", u"仕様", u"メーカー名", u"保管場所", u"単位"});
    for (int column = 2; column <= 6; ++column)
        vocabulary->sheet().setColumnWidth(column, 20);
    ok = save(vocabulary) && ok;

    const QString daily = resources.filePath(QStringLiteral("原本INP/Mb入出庫月報.xlsx"));
    const WorkbookStatus dailyStatus = WriteDailyInOutBlankForm(daily);
    if (!dailyStatus)
        std::fprintf(stderr, "cannot write %s (%d)\n", qPrintable(daily), dailyStatus.error);
    ok = bool(dailyStatus) && ok;
    return ok ? 0 : 1;
}
