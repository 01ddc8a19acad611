#include "labels/label_codes.h"

#include <QPainter>
#include <algorithm>
#include <functional>
#include <memory>
#include <zint.h>

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

CodeSymbol encode(int symbology, const QString& text, const std::function<void(zint_symbol&)>& options)
{
    CodeSymbol result;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        result.error = QStringLiteral("out of memory");
        return result;
    }
    symbol->symbology = symbology;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    options(*symbol);
    const QByteArray utf8 = text.toUtf8();
    const int encoded = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(utf8.constData()),
                                        int(utf8.size()));
    if (encoded >= ZINT_ERROR) {
        result.error = QString::fromLatin1(symbol->errtxt);
        return result;
    }
    if (ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
        result.error = QString::fromLatin1(symbol->errtxt);
        return result;
    }
    result.size = QSizeF(symbol->vector->width, symbol->vector->height);
    for (const zint_vector_rect* rect = symbol->vector->rectangles; rect; rect = rect->next) {
        if (rect->colour == -1 || rect->colour == 7) // the foreground (or black)
            result.modules.append(QRectF(rect->x, rect->y, rect->width, rect->height));
    }
    if (result.modules.isEmpty())
        result.error = QStringLiteral("no modules");
    return result;
}

} // namespace

bool FitsCode128(const QString& text)
{
    if (text.isEmpty() || text.size() > 80)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

CodeSymbol EncodeCode128(const QString& text)
{
    if (!FitsCode128(text)) {
        CodeSymbol refused;
        refused.error = QStringLiteral("Code 128 holds printable ASCII only");
        return refused;
    }
    return encode(BARCODE_CODE128, text, [](zint_symbol& symbol) { symbol.height = 40; });
}

CodeSymbol EncodeQrCode(const QString& text)
{
    return encode(BARCODE_QRCODE, text, [](zint_symbol& symbol) { symbol.option_1 = 2; }); // error correction M
}

void DrawCodeSymbol(QPainter& painter, const CodeSymbol& symbol, const QRectF& target, bool keepAspect)
{
    if (!symbol.ok() || symbol.size.isEmpty())
        return;
    double sx = target.width() / symbol.size.width();
    double sy = target.height() / symbol.size.height();
    QPointF origin = target.topLeft();
    if (keepAspect) {
        const double scale = std::min(sx, sy);
        sx = sy = scale;
        origin += QPointF((target.width() - symbol.size.width() * scale) / 2,
                          (target.height() - symbol.size.height() * scale) / 2);
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QRectF& module : symbol.modules)
        painter.drawRect(QRectF(origin.x() + module.x() * sx, origin.y() + module.y() * sy, module.width() * sx,
                                module.height() * sy));
    painter.restore();
}
