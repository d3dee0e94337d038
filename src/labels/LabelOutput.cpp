#include "labels/LabelOutput.h"

#include "labels/LabelPages.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace labels {

namespace {

constexpr int kPdfResolution = 1200;
constexpr double kMmPerInch = 25.4;

// The label sheets are measured from the paper's edge: no margin may shift them.
void setA4Sheet(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

bool paintPages(const LabelPages &pages, QPagedPaintDevice &device, int first, int last, int resolution)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintInMillimetres(painter, resolution / kMmPerInch);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        pages.paintPage(painter, page);
    }
    return painter.end();
}

} // namespace

void paintInMillimetres(QPainter &painter, double devicePixelsPerMm)
{
    painter.scale(devicePixelsPerMm, devicePixelsPerMm);
}

QString writeLabelPdf(const LabelPages &pages, const QString &path)
{
    QSaveFile file(path);
    const QString failure = QStringLiteral("无法写入文件：%1").arg(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure + QStringLiteral("（%1）").arg(file.errorString());
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setTitle(QStringLiteral("条形码标签"));
    writer.setCreator(QStringLiteral("作业完成情况条形码查找系统"));
    setA4Sheet(writer);
    if (!paintPages(pages, writer, pages.firstPage(), pages.lastPage(), kPdfResolution) || !file.commit())
        return failure + QStringLiteral("（%1）").arg(file.errorString());
    return {};
}

QString printLabels(const LabelPages &pages, QPrinter &printer)
{
    printer.setFullPage(true);
    setA4Sheet(printer);
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int first = range ? std::max(pages.firstPage(), printer.fromPage() - 1) : pages.firstPage();
    const int last = range ? std::min(pages.lastPage(), printer.toPage() - 1) : pages.lastPage();
    if (!paintPages(pages, printer, first, last, printer.resolution()))
        return QStringLiteral("打印失败：无法送往打印机“%1”。").arg(printer.printerName());
    return {};
}

} // namespace labels
