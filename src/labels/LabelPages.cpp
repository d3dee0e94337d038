#include "labels/LabelPages.h"

#include <QPainter>

#include <cmath>

namespace labels {

namespace {

// Text is set in hundredths of a millimetre: font pixel sizes are whole numbers.
constexpr double kTextUnitsPerMm = 100;
constexpr int kMeasuringSize = 1000;
// Glyphs may reach a little past their advance; this keeps them off the label's padding.
constexpr double kWidthSlack = 0.98;

QFont labelFont()
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(kMeasuringSize);
    // Unhinted glyphs scale exactly, so a size measured once holds at every size and resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

LabelPages::LabelPages(const LabelPlan &plan, const LabelSheet &sheet, int firstPage, int lastPage)
    : sheet_(sheet), labelsPerPage_(plan.labelsPerPage), firstPage_(firstPage), lastPage_(lastPage), font_(labelFont()),
      metrics_(font_)
{
    for (int page = firstPage; page <= lastPage; ++page)
        for (const LabelText &text : plan.page(page))
            labels_.append({text, BarcodeSymbol(text.code)});
}

QString LabelPages::problem() const
{
    const QSizeF size(sheet_.labelWidth, sheet_.labelHeight);
    for (const Label &label : labels_)
        if (!layoutLabel(size, label.symbol.modules()))
            return labelTooSmallMessage(size, label.symbol.modules());
    return {};
}

void LabelPages::paintPage(QPainter &painter, int page) const
{
    const qsizetype first = qsizetype(page - firstPage_) * labelsPerPage_;
    const QSizeF size(sheet_.labelWidth, sheet_.labelHeight);
    for (qsizetype i = first; i < std::min(first + labelsPerPage_, labels_.size()); ++i) {
        const std::optional<LabelLayout> layout = layoutLabel(size, labels_[i].symbol.modules());
        if (!layout)
            continue;
        painter.save();
        painter.translate(sheet_.labelRect(int(i - first)).topLeft());
        paintLabel(painter, labels_[i], *layout);
        painter.restore();
    }
}

void LabelPages::paintLabel(QPainter &painter, const Label &label, const LabelLayout &layout) const
{
    paintLine(painter, label.text.heading, layout.heading);
    paintLine(painter, label.text.book, layout.book);
    paintLine(painter, label.text.code, layout.digits);
    const QRectF &area = layout.symbol;
    for (const QRectF &bar : label.symbol.bars())
        painter.fillRect(QRectF(area.left() + bar.left() * layout.moduleWidth, area.top() + bar.top() * area.height(),
                                bar.width() * layout.moduleWidth, bar.height() * area.height()),
                         Qt::black);
}

// Set as large as the line allows and shrunk until the whole text fits its width.
void LabelPages::paintLine(QPainter &painter, const QString &text, const QRectF &line) const
{
    const double width = line.width() * kTextUnitsPerMm;
    const double height = line.height() * kTextUnitsPerMm;
    const double byHeight = height / metrics_.height();
    const double advance = metrics_.horizontalAdvance(text);
    const double byWidth = advance > 0 ? width * kWidthSlack / advance : byHeight;
    QFont font = font_;
    font.setPixelSize(std::max(1, int(std::floor(kMeasuringSize * std::min(byHeight, byWidth)))));
    painter.save();
    painter.translate(line.topLeft());
    painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, width, height), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter.restore();
}

} // namespace labels
