#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace labels {

// A Code 128 symbol as libzint draws it: its bars in module units, quiet zones included.
class BarcodeSymbol {
public:
    // Throws BarcodeError when libzint refuses the data.
    explicit BarcodeSymbol(const QString &data);

    // Width in modules of the bars alone, without the quiet zones.
    int modules() const { return modules_; }
    // x and width in modules from the left edge of the left quiet zone; y and height as parts of
    // the bar height (0..1).
    const QList<QRectF> &bars() const { return bars_; }

private:
    int modules_ = 0;
    QList<QRectF> bars_;
};

class BarcodeError {
public:
    explicit BarcodeError(QString message) : message_(std::move(message)) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace labels
