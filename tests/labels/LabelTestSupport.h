#pragma once

#include <QDir>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRectF>
#include <QStringList>
#include <QXmlStreamReader>


namespace testing {

inline constexpr double kPointsPerMm = 72 / 25.4;

// Runs a poppler or zbar tool; its standard output, or a note of the failure that no comparison
// with real output can mistake for success.
inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("<%1 did not finish>").arg(program);
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    // zbarimg exits with 4 when an image holds no symbol at all.
    if (process.exitCode() != 0 && !(program == QStringLiteral("zbarimg") && process.exitCode() == 4))
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromUtf8(process.readAllStandardError()));
    return output;
}

// The pages of a PDF as 300 dpi greyscale PNG files beside it.
inline QStringList pagesAsImages(const QString &pdf)
{
    const QString stem = pdf.chopped(4);
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                                         QStringLiteral("-png"), pdf, stem});
    QStringList images;
    const QFileInfo info(pdf);
    for (const QString &name : QDir(info.path()).entryList({info.completeBaseName() + QStringLiteral("-*.png")}, QDir::Files,
                                                         QDir::Name))
        images << QDir(info.path()).filePath(name);
    return images;
}

struct DecodedSymbol {
    QString type;
    QString data;
};

// Every symbol zbarimg finds, by image; one run for all of them, as starting it costs more than decoding.
inline QMap<QString, QList<DecodedSymbol>> decodeImages(const QStringList &images)
{
    QMap<QString, QList<DecodedSymbol>> found;
    for (const QString &image : images)
        found[image];
    QXmlStreamReader xml(runTool(QStringLiteral("zbarimg"), QStringList{QStringLiteral("-q"), QStringLiteral("--xml")} + images));
    QString image;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QStringLiteral("source"))
            image = xml.attributes().value(QStringLiteral("href")).toString();
        else if (xml.name() == QStringLiteral("symbol"))
            found[image].append({xml.attributes().value(QStringLiteral("type")).toString(), {}});
        else if (xml.name() == QStringLiteral("data") && !found[image].isEmpty())
            found[image].last().data = xml.readElementText();
    }
    return found;
}

inline constexpr double kPixelsPerMm = 300 / 25.4;

// The part of a 300 dpi page image under one label, as an image file of its own.
inline QString cutOut(const QImage &page, const QRectF &label, const QString &path)
{
    const QRectF pixels(label.topLeft() * kPixelsPerMm, label.size() * kPixelsPerMm);
    page.copy(pixels.toAlignedRect()).save(path);
    return path;
}

struct PlacedWord {
    QString text;
    QRectF box; // in millimetres from the page's corner
};

// The words of each page as pdftotext places them.
inline QList<QList<PlacedWord>> wordsOnPages(const QString &pdf)
{
    QList<QList<PlacedWord>> pages;
    QXmlStreamReader xml(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QStringLiteral("page")) {
            pages.append(QList<PlacedWord>{});
        } else if (xml.name() == QStringLiteral("word") && !pages.isEmpty()) {
            const auto at = [&](const char *name) { return xml.attributes().value(QLatin1String(name)).toDouble() / kPointsPerMm; };
            const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
            pages.last().append({xml.readElementText(), box});
        }
    }
    return pages;
}

} // namespace testing
