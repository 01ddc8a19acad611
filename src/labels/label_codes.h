#pragma once
// The codes on a label, made by libzint: a Code 128 barcode (printable ASCII item numbers, what a
// keyboard-wedge scanner types back exactly) and a QR code (any item number; Japanese characters in
// Shift_JIS Kanji mode), each as the rectangles of its modules, drawn to any size with QPainter.
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

struct CodeSymbol {
    QList<QRectF> modules; // dark rectangles, in the symbol's own units, quiet zones included
    QSizeF size;           // the whole symbol with its quiet zones
    QString error;         // why the text cannot be encoded; empty when it can
    bool ok() const { return error.isEmpty() && !modules.isEmpty(); }
};

// True when Code 128 can hold `text` for a scanner to type back: printable ASCII, 1..80 characters.
bool FitsCode128(const QString& text);
CodeSymbol EncodeCode128(const QString& text);
CodeSymbol EncodeQrCode(const QString& text);

// Draws the symbol into `target`: a QR code square and centred, a barcode stretched to the target.
void DrawCodeSymbol(QPainter& painter, const CodeSymbol& symbol, const QRectF& target, bool keepAspect);
