#include "labels/label_pdf.h"

#include "labels/label_codes.h"
#include "storage/safe_file.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

constexpr int PdfResolution = 600; // dots per inch of the PDF's painting
constexpr double PaddingMm = 2;

QFont labelFont()
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// One label: codes on the left or the top, the texts beside or below them.
void paintLabel(QPainter& painter, double pxPerMm, const QRectF& labelMm, const LabelItem& item,
                const LabelOptions& options, QStringList* qrInstead)
{
    const auto px = [pxPerMm](const QRectF& mm) {
        return QRectF(mm.x() * pxPerMm, mm.y() * pxPerMm, mm.width() * pxPerMm, mm.height() * pxPerMm);
    };
    const QRectF inner = labelMm.adjusted(PaddingMm, PaddingMm, -PaddingMm, -PaddingMm);
    const bool barcodeFits = FitsCode128(item.number);
    bool wantBarcode = options.codes != LabelCodes::Qr;
    bool wantQr = options.codes != LabelCodes::Barcode;
    if (wantBarcode && !barcodeFits) {
        wantBarcode = false;
        wantQr = true;
        if (qrInstead)
            qrInstead->append(item.number);
    }

    QRectF textArea = inner;
    if (wantQr) {
        const double side = std::min(inner.height(), inner.width() * 0.45);
        const QRectF qr(inner.left(), inner.top() + (inner.height() - side) / 2, side, side);
        DrawCodeSymbol(painter, EncodeQrCode(item.number), px(qr), true);
        textArea.setLeft(qr.right() + PaddingMm);
    }
    if (wantBarcode) {
        const QRectF bar(textArea.left(), textArea.top(), textArea.width(), textArea.height() * 0.45);
        DrawCodeSymbol(painter, EncodeCode128(item.number), px(bar), false);
        textArea.setTop(bar.bottom() + 0.5);
    }

    QStringList lines{item.number, item.name};
    if (options.withPlace && !item.place.isEmpty())
        lines.append(item.place);
    const double lineMm = std::min(textArea.height() / lines.size(), 5.0);
    const double largest = lineMm / 25.4 * 72 * 0.8; // points that fill a line
    QFont font = labelFont();
    painter.setPen(Qt::black);
    for (int k = 0; k < lines.size(); ++k) {
        const QRectF lineRect(textArea.left(), textArea.top() + k * lineMm, textArea.width(), lineMm);
        const FittedText fitted = FitTextToWidth(lines[k], font, lineRect.width() * pxPerMm, largest,
                                                 std::min(largest, 4.0), painter.device());
        font.setPointSizeF(fitted.pointSize);
        font.setBold(k == 0);
        painter.setFont(font);
        painter.drawText(px(lineRect), Qt::AlignLeft | Qt::AlignVCenter, fitted.text);
    }
}

} // namespace

FittedText FitTextToWidth(const QString& text, QFont font, double width, double largest, double smallest,
                          QPaintDevice* device)
{
    for (double size = largest; size >= smallest - 1e-9; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetricsF(font, device).horizontalAdvance(text) <= width)
            return {text, size};
    }
    font.setPointSizeF(smallest);
    const QFontMetricsF metrics(font, device);
    // Whole characters (a surrogate pair counts as one) are left out from the end.
    QString kept = text;
    while (!kept.isEmpty() && metrics.horizontalAdvance(kept + QStringLiteral("…")) > width) {
        kept.chop(kept.size() >= 2 && kept.back().isLowSurrogate() ? 2 : 1);
    }
    return {kept + QStringLiteral("…"), smallest};
}

void PaintLabelPage(QPainter& painter, double pixelsPerMm, const QList<LabelItem>& items,
                    const LabelOptions& options, QStringList* qrInstead)
{
    const int count = std::min<int>(int(items.size()), options.sheet.perPage());
    for (int k = 0; k < count; ++k)
        paintLabel(painter, pixelsPerMm, options.sheet.labelRect(k), items[k], options, qrInstead);
}

LabelRun WriteLabelsPdf(const QString& path, const QList<LabelItem>& items, const LabelOptions& options)
{
    LabelRun run;
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QStringLiteral("在庫品ラベル"));
        writer.setCreator(QStringLiteral("TEV在庫管理"));
        QPainter painter(&writer);
        const double pxPerMm = PdfResolution / 25.4;
        const int perPage = options.sheet.perPage();
        run.pages = std::max(1, int((items.size() + perPage - 1) / perPage)); // an empty list: one empty page
        for (int page = 0; page < run.pages; ++page) {
            if (page > 0)
                writer.newPage();
            PaintLabelPage(painter, pxPerMm, items.mid(page * perPage, perPage), options, &run.qrInstead);
        }
        painter.end();
    }
    run.io = WriteFileAtomically(path, pdf);
    return run;
}
