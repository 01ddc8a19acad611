// A page of labels as it is printed: the codes scan back to the item numbers (zbarimg reads a
// rendering of the page), names shrink to fit and are never cut inside a character, and the
// labels of many items become a PDF of full pages.
#include "labels/label_pdf.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What zbarimg reads from an image: "CODE-128:…" and "QR-Code:…" lines.
QStringList decode(const QImage& page, const QTemporaryDir& dir)
{
    const QString path = dir.filePath(u"page.png"_s);
    EXPECT_TRUE(page.save(path));
    QProcess zbar;
    zbar.start(u"zbarimg"_s, {u"-q"_s, path});
    EXPECT_TRUE(zbar.waitForFinished(60000));
    return QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QImage render(const QList<LabelItem>& items, const LabelOptions& options, QStringList* qrInstead)
{
    constexpr double PixelsPerMm = 12; // about 300 dpi, as a label printer or a scan
    QImage page(int(210 * PixelsPerMm), int(297 * PixelsPerMm), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    PaintLabelPage(painter, PixelsPerMm, items, options, qrInstead);
    return page;
}

} // namespace

TEST(LabelPage, EveryCodeScansBackToItsItemNumber)
{
    if (QStandardPaths::findExecutable(u"zbarimg"_s).isEmpty())
        GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    QTemporaryDir dir;
    const QList<LabelItem> items = {
        {u"P-1002"_s, u"エアフィルター"_s, u"A棚-3"_s},
        {u"B/7 x"_s, u"ベアリング 6204ZZ"_s, QString()},
        {u"軸受-01"_s, u"軸受"_s, QString()}, // Japanese: no barcode, a QR code instead
        {u"0012345"_s, u"Vベルト"_s, u"倉庫2"_s},
    };
    QStringList qrInstead;
    const QStringList read = decode(render(items, {*LabelSheetOfLayout(24), LabelCodes::Both, true}, &qrInstead), dir);

    QStringList expected;
    for (const LabelItem& item : items) {
        expected.append(u"QR-Code:"_s + item.number);
        if (item.number != u"軸受-01"_s)
            expected.append(u"CODE-128:"_s + item.number);
    }
    QStringList sortedRead = read;
    sortedRead.sort();
    expected.sort();
    EXPECT_EQ(sortedRead, expected);
    EXPECT_EQ(qrInstead, QStringList{u"軸受-01"_s});

    // A barcode-only sheet of 44: the Japanese number is a QR code there too, and said so.
    qrInstead.clear();
    const QStringList small = decode(render(items, {*LabelSheetOfLayout(44), LabelCodes::Barcode, false}, &qrInstead), dir);
    EXPECT_TRUE(small.contains(u"CODE-128:P-1002"_s)) << small.join(u' ').toStdString();
    EXPECT_TRUE(small.contains(u"QR-Code:軸受-01"_s)) << small.join(u' ').toStdString();
    EXPECT_EQ(qrInstead, QStringList{u"軸受-01"_s});
}

TEST(LabelPage, TextShrinksToFitAndIsNeverCutInsideACharacter)
{
    QImage device(10, 10, QImage::Format_RGB32);
    const QFont font(u"Noto Sans CJK JP"_s);
    const QString name = u"超硬エンドミル４枚刃φ１２"_s;
    const FittedText roomy = FitTextToWidth(name, font, 5000, 9, 4, &device);
    EXPECT_EQ(roomy.text, name);
    EXPECT_EQ(roomy.pointSize, 9);

    QFont at9 = font;
    at9.setPointSizeF(9);
    const double full = QFontMetricsF(at9, &device).horizontalAdvance(name);
    const FittedText shrunk = FitTextToWidth(name, font, full * 0.7, 9, 4, &device);
    EXPECT_EQ(shrunk.text, name);
    EXPECT_LT(shrunk.pointSize, 9);
    EXPECT_GE(shrunk.pointSize, 4);

    const FittedText cut = FitTextToWidth(name + u"𠮷𠮷𠮷"_s, font, full * 0.2, 9, 4, &device);
    EXPECT_EQ(cut.pointSize, 4);
    ASSERT_TRUE(cut.text.endsWith(u"…"_s));
    const QString kept = cut.text.chopped(1);
    EXPECT_TRUE((name + u"𠮷𠮷𠮷"_s).startsWith(kept));
    EXPECT_FALSE(!kept.isEmpty() && kept.back().isHighSurrogate());
}

TEST(LabelPage, ManyItemsMakeFullPagesOfOnePdf)
{
    QTemporaryDir dir;
    QList<LabelItem> items;
    for (int n = 1; n <= 50; ++n)
        items.append({u"N%1"_s.arg(n, 4, 10, QChar(u'0')), u"品名%1"_s.arg(n), QString()});
    const QString path = dir.filePath(u"labels.pdf"_s);
    const LabelRun run = WriteLabelsPdf(path, items, {*LabelSheetOfLayout(24), LabelCodes::Both, false});
    ASSERT_TRUE(run.io.ok) << run.io.detail.toStdString();
    EXPECT_EQ(run.pages, 3);
    EXPECT_TRUE(run.qrInstead.isEmpty());
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 3);
}
