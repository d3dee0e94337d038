#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

class QFont;

namespace labels {

class PdfTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A PDF whose text reads as it was drawn. Qt's writer names each glyph by the lowest code point
// the font maps to it, and the CJK fonts share a glyph between an ideograph and its radical:
// 小 was copied as ⼩ (U+2F29), 民 as ⺠, and a name could not be found. Every font's text map is
// mended: a character that shares its glyph in `font` with one of `drawnText` becomes that one.
// Throws PdfTextError when the PDF cannot be read.
QByteArray withTextAsDrawn(const QByteArray &pdf, const QFont &font, const QString &drawnText);

} // namespace labels
