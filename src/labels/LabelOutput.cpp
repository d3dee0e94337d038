#include "labels/LabelOutput.h"

#include "labels/LabelPages.h"
#include "labels/PdfText.h"
#include "ui/ProgramIdentity.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QSaveFile>

namespace labels {

namespace {

constexpr int kPdfResolution = 1200;
constexpr double kMmPerInch = 25.4;
// The CUPS job options Qt's print dialog sets (qcups_p.h keeps the key private).
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The label sheets are measured from the paper's edge: no margin may shift them.
void setA4Sheet(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

bool paintPages(const LabelPages &pages, QPagedPaintDevice &device, const QList<int> &chosen, int resolution, QPointF offset)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintInMillimetres(painter, resolution / kMmPerInch);
    painter.translate(offset);
    for (int page : chosen) {
        if (page != chosen.first() && !device.newPage())
            return false;
        pages.paintPage(painter, page);
    }
    return painter.end();
}

QList<int> allPages(const LabelPages &pages)
{
    QList<int> all;
    for (int page = pages.firstPage(); page <= pages.lastPage(); ++page)
        all << page;
    return all;
}

// The pages the dialog chose. A range typed under "页" (Pages) Qt also hands to CUPS, which then
// picks those pages from the job itself: the job must hold every page, or CUPS picks from the
// wrong ones (pages 2-3 printed one page, the third).
QList<int> chosenPages(const LabelPages &pages, QPrinter &printer)
{
    const QStringList cupsOptions = printer.printEngine()->property(kCupsOptions).toStringList();
    if (printer.printRange() != QPrinter::PageRange || cupsOptions.contains(QStringLiteral("page-ranges")))
        return allPages(pages);
    QList<int> chosen;
    for (int page : allPages(pages))
        if (printer.pageRanges().contains(page + 1))
            chosen << page;
    return chosen;
}

} // namespace

void paintInMillimetres(QPainter &painter, double devicePixelsPerMm)
{
    painter.scale(devicePixelsPerMm, devicePixelsPerMm);
}

QString writeLabelPdf(const LabelPages &pages, QPointF offset, const QString &path)
{
    const QString failure = QStringLiteral("无法写入文件：%1").arg(path);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&written);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QStringLiteral("条形码标签"));
        writer.setCreator(ui::programName());
        setA4Sheet(writer);
        if (!paintPages(pages, writer, allPages(pages), kPdfResolution, offset))
            return failure + QStringLiteral("（无法生成PDF）");
    }
    QByteArray pdf;
    try {
        pdf = withTextAsDrawn(written.data(), pages.font(), pages.drawnText());
    } catch (const PdfTextError &error) {
        return failure + QStringLiteral("（%1）").arg(QString::fromUtf8(error.what()));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        return failure + QStringLiteral("（%1）").arg(file.errorString());
    return {};
}

QString printLabels(const LabelPages &pages, QPointF offset, QPrinter &printer)
{
    printer.setFullPage(true);
    setA4Sheet(printer);
    const QList<int> chosen = chosenPages(pages, printer);
    if (chosen.isEmpty())
        return QStringLiteral("所选页码超出了标签的页数，未打印。");
    if (!paintPages(pages, printer, chosen, printer.resolution(), offset))
        return QStringLiteral("打印失败：无法送往打印机“%1”。").arg(printer.printerName());
    return {};
}

} // namespace labels
