#pragma once
// Item labels on a label sheet: each label with the item number as a Code 128 barcode and/or a QR
// code, the item number and name in text (shrunk to fit, never cut inside a character) and
// optionally the storage place; written as an A4 PDF (QPdfWriter), or painted on any device.
#include "labels/label_sheet.h"
#include "storage/io_result.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPainter;

struct LabelItem {
    QString number;
    QString name;
    QString place;
};

enum class LabelCodes { Barcode, Qr, Both };

struct LabelOptions {
    LabelSheet sheet;
    LabelCodes codes = LabelCodes::Both;
    bool withPlace = false;
};

// A text set in the largest size from `largest` down to `smallest` points at which it fits
// `width` (device units of `device`); at the smallest size, whole characters are left out at the
// end ("…") until it fits.
struct FittedText {
    QString text;
    double pointSize = 0;
};
FittedText FitTextToWidth(const QString& text, QFont font, double width, double largest, double smallest,
                          QPaintDevice* device);

// Paints the labels of one page (at most options.sheet.perPage() items) with `pixelsPerMm`
// device units per millimetre. The item numbers that a barcode cannot hold and got a QR code
// instead are added to `qrInstead`.
void PaintLabelPage(QPainter& painter, double pixelsPerMm, const QList<LabelItem>& items,
                    const LabelOptions& options, QStringList* qrInstead);

struct LabelRun {
    IoResult io;
    int pages = 0;
    QStringList qrInstead; // item numbers printed with a QR code because Code 128 cannot hold them
};

// Writes the labels of `items` as a PDF at `path`, replacing a file there in one step.
LabelRun WriteLabelsPdf(const QString& path, const QList<LabelItem>& items, const LabelOptions& options);
