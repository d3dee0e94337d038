#include "labels/LabelPreview.h"

#include "labels/LabelOutput.h"
#include "labels/LabelPages.h"

#include <QPainter>

namespace labels {

LabelPreview::LabelPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("preview"));
    setAccessibleName(QStringLiteral("第一页预览"));
    setMinimumSize(sizeHint());
}

QSize LabelPreview::sizeHint() const { return {400, 566}; }

void LabelPreview::showPage(const LabelSheet &sheet, std::shared_ptr<const LabelPages> pages)
{
    sheet_ = sheet;
    sheetFits_ = sheetProblem(sheet).isEmpty();
    pages_ = std::move(pages);
    update();
}

void LabelPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const double scale = std::min((width() - 2.0) / kPageWidth, (height() - 2.0) / kPageHeight);
    const QRectF paper((width() - kPageWidth * scale) / 2, (height() - kPageHeight * scale) / 2, kPageWidth * scale,
                       kPageHeight * scale);
    painter.fillRect(paper, Qt::white);
    painter.setPen(Qt::darkGray);
    painter.drawRect(paper);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(paper.topLeft());
    paintInMillimetres(painter, scale);
    if (sheetFits_) {
        painter.setPen(QPen(QColor(0xc0, 0xc8, 0xd4), 0));
        for (int i = 0; i < sheet_.labelsPerPage(); ++i)
            painter.drawRoundedRect(sheet_.labelRect(i), 2, 2);
    }
    if (pages_)
        pages_->paintPage(painter, pages_->firstPage());
}

} // namespace labels
