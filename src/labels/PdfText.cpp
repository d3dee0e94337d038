#include "labels/PdfText.h"

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QRegularExpression>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <functional>

namespace labels {

namespace {

using DrawnCharacter = std::function<char32_t(char32_t named)>;

DrawnCharacter drawnCharacters(const QFont &font, const QString &drawnText)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const auto glyphOf = [raw](char32_t c) { return raw.glyphIndexesForString(QString::fromUcs4(&c, 1)).value(0); };
    QHash<quint32, char32_t> byGlyph;
    for (const char32_t c : drawnText.toUcs4())
        if (const quint32 glyph = glyphOf(c))
            byGlyph.insert(glyph, c);
    return [glyphOf, byGlyph](char32_t named) { return byGlyph.value(glyphOf(named), named); };
}

// A text map's strings are UTF-16BE in hexadecimal: <738B>; the brackets are skipped.
QString fromHex(const QString &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(char16_t((uchar(bytes[i]) << 8) | uchar(bytes[i + 1])));
    return text;
}

QString toHex(const QString &text)
{
    QString hex;
    for (const QChar unit : text)
        hex += QStringLiteral("%1").arg(unit.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return QLatin1Char('<') + hex + QLatin1Char('>');
}

QString renamed(const QString &hex, const DrawnCharacter &drawn)
{
    QString text;
    for (const char32_t c : fromHex(hex).toUcs4()) {
        const char32_t d = drawn(c);
        text += QString::fromUcs4(&d, 1);
    }
    return toHex(text);
}

// One bfchar or bfrange section: each code's text renamed, ranges written as arrays so that
// every code can take a text of its own.
QString renamedSection(const QString &body, bool ranges, const DrawnCharacter &drawn)
{
    static const QRegularExpression token(QStringLiteral("<([0-9A-Fa-f]*)>|\\[|\\]"));
    QStringList tokens;
    for (const QRegularExpressionMatch &match : token.globalMatch(body))
        tokens << match.captured(0);
    QString section = QStringLiteral("\n");
    for (qsizetype i = 0; i + 1 < tokens.size();) {
        if (!ranges) {
            section += tokens[i] + QLatin1Char(' ') + renamed(tokens[i + 1], drawn) + QLatin1Char('\n');
            i += 2;
            continue;
        }
        const QString &low = tokens[i];
        const QString &high = tokens[i + 1];
        QStringList texts;
        i += 2;
        if (i < tokens.size() && tokens[i] == QStringLiteral("[")) {
            for (++i; i < tokens.size() && tokens[i] != QStringLiteral("]"); ++i)
                texts << renamed(tokens[i], drawn);
            ++i;
        } else if (i < tokens.size()) {
            // The first code's text, its last unit counting up for each code after it.
            const QString first = fromHex(tokens[i++]);
            const QString from = fromHex(low);
            const QString to = fromHex(high);
            const int count = from.isEmpty() || to.isEmpty() ? 0 : to.back().unicode() - from.back().unicode() + 1;
            for (int k = 0; k < count && !first.isEmpty(); ++k) {
                QString text = first;
                text.back() = QChar(char16_t(text.back().unicode() + k));
                texts << renamed(toHex(text), drawn);
            }
        }
        section += low + QLatin1Char(' ') + high + QStringLiteral(" [") + texts.join(QLatin1Char(' ')) + QStringLiteral("]\n");
    }
    return section;
}

QByteArray renamedTextMap(const QByteArray &map, const DrawnCharacter &drawn)
{
    static const QRegularExpression section(QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QString text = QString::fromLatin1(map);
    QString result;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : section.globalMatch(text)) {
        result += text.mid(done, match.capturedStart(2) - done);
        result += renamedSection(match.captured(2), match.captured(1) == QStringLiteral("bfrange"), drawn);
        done = match.capturedEnd(2);
    }
    result += text.mid(done);
    return result.toLatin1();
}

} // namespace

QByteArray withTextAsDrawn(const QByteArray &pdf, const QFont &font, const QString &drawnText)
{
    const DrawnCharacter drawn = drawnCharacters(font, drawnText);
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("labels", pdf.constData(), size_t(pdf.size()));
        for (QPDFObjectHandle object : document.getAllObjects()) {
            if (!object.isDictionary() || !object.hasKey("/ToUnicode") || !object.getKey("/ToUnicode").isStream())
                continue;
            QPDFObjectHandle map = object.getKey("/ToUnicode");
            const std::shared_ptr<Buffer> data = map.getStreamData();
            const QByteArray text(reinterpret_cast<const char *>(data->getBuffer()), qsizetype(data->getSize()));
            map.replaceStreamData(renamedTextMap(text, drawn).toStdString(), QPDFObjectHandle::newNull(),
                                  QPDFObjectHandle::newNull());
        }
        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(written->getBuffer()), qsizetype(written->getSize()));
    } catch (const std::exception &error) {
        throw PdfTextError(error.what());
    }
}

} // namespace labels
