#include "labels/BarcodeSymbol.h"

#include "labels/LabelLayout.h"

#include <zint.h>

#include <memory>

namespace labels {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

BarcodeSymbol::BarcodeSymbol(const QString &data)
{
    const std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        throw BarcodeError(QStringLiteral("条形码库无法分配内存。"));
    symbol->symbology = BARCODE_CODE128;
    symbol->whitespace_width = kQuietZoneModules;
    symbol->show_hrt = 0; // the digits are set in the label's own font, where the text search finds them
    const QByteArray bytes = data.toUtf8();
    const int encoded = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()));
    if (encoded >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector)
        throw BarcodeError(QStringLiteral("条形码“%1”无法生成：%2").arg(data, QString::fromUtf8(symbol->errtxt)));

    modules_ = symbol->width;
    const zint_vector &vector = *symbol->vector;
    const double unit = vector.width / (modules_ + 2 * kQuietZoneModules);
    for (const zint_vector_rect *rect = vector.rectangles; rect; rect = rect->next)
        bars_.append(QRectF(rect->x / unit, rect->y / vector.height, rect->width / unit, rect->height / vector.height));
}

} // namespace labels
