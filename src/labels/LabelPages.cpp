#include "labels/LabelPages.h"

#include <QPainter>

#include <cmath>
#include <limits>

namespace labels {

namespace {

// Text is set in hundredths of a millimetre: font pixel sizes are whole numbers.
constexpr double kTextUnitsPerMm = 100;
constexpr int kMeasuringSize = 1000;
// Glyphs may reach a little past their advance; this keeps them off the label's padding.
constexpr double kWidthSlack = 0.98;
// Thin enough to cut along without marking the label, thick enough for any printer to show.
constexpr double kCutLineWidth = 0.1;

QFont labelFont()
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(kMeasuringSize);
    // Unhinted glyphs scale exactly, so a size measured once holds at every size and resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double clearance(const QRectF &box)
{
    return std::min({box.left(), box.top(), kPageWidth - box.right(), kPageHeight - box.bottom()});
}

} // namespace

LabelPages::LabelPages(const LabelPlan &plan, const LabelSheet &sheet, int firstPage, int lastPage, bool cutBorders)
    : sheet_(sheet), labelsPerPage_(plan.labelsPerPage), firstPage_(firstPage), lastPage_(lastPage),
      cutBorders_(cutBorders), font_(labelFont()), metrics_(font_)
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

template <typename Visit> void LabelPages::forEachLabel(int page, Visit visit) const
{
    const qsizetype first = qsizetype(page - firstPage_) * labelsPerPage_;
    const QSizeF size(sheet_.labelWidth, sheet_.labelHeight);
    for (qsizetype i = first; i < std::min(first + labelsPerPage_, labels_.size()); ++i)
        if (const std::optional<LabelLayout> layout = layoutLabel(size, labels_[i].symbol.modules()))
            visit(labels_[i], *layout, sheet_.labelRect(int(i - first)));
}

void LabelPages::paintPage(QPainter &painter, int page) const
{
    forEachLabel(page, [&](const Label &label, const LabelLayout &layout, const QRectF &place) {
        painter.save();
        if (cutBorders_) {
            painter.setPen(QPen(Qt::black, kCutLineWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(place);
        }
        painter.translate(place.topLeft());
        paintLabel(painter, label, layout);
        painter.restore();
    });
}

double LabelPages::textClearanceFromEdge(QPointF offset) const
{
    double least = std::numeric_limits<double>::infinity();
    for (int page = firstPage_; page <= lastPage_; ++page) {
        forEachLabel(page, [&](const Label &label, const LabelLayout &layout, const QRectF &place) {
            const QPointF shift = place.topLeft() + offset;
            for (const auto &[text, line] : {std::pair{label.text.heading, layout.heading},
                                             std::pair{label.text.book, layout.book}, std::pair{label.text.code, layout.digits}})
                least = std::min(least, clearance(setLine(text, line).box.translated(shift)));
        });
    }
    return least;
}

QString LabelPages::drawnText() const
{
    QString text;
    for (const Label &label : labels_)
        text += label.text.heading + label.text.book + label.text.code;
    return text;
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

// Set as large as the line allows and shrunk until the whole text fits its width, centred in it.
LabelPages::SetLine LabelPages::setLine(const QString &text, const QRectF &line) const
{
    const double width = line.width() * kTextUnitsPerMm;
    const double height = line.height() * kTextUnitsPerMm;
    const double byHeight = height / metrics_.height();
    const double advance = metrics_.horizontalAdvance(text);
    const double byWidth = advance > 0 ? width * kWidthSlack / advance : byHeight;
    SetLine set{font_, {}};
    const int size = std::max(1, int(std::floor(kMeasuringSize * std::min(byHeight, byWidth))));
    set.font.setPixelSize(size);
    // Where the glyphs' ink falls: the line's height centred as drawText centres it, the ink
    // measured from the baseline.
    const double scale = double(size) / kMeasuringSize / kTextUnitsPerMm;
    const QPointF baseline(line.center().x() - advance * scale / 2, line.center().y() + (metrics_.ascent() - metrics_.height() / 2) * scale);
    const QRectF ink = metrics_.boundingRect(text);
    set.box = QRectF(baseline + ink.topLeft() * scale, ink.size() * scale);
    return set;
}

void LabelPages::paintLine(QPainter &painter, const QString &text, const QRectF &line) const
{
    painter.save();
    painter.translate(line.topLeft());
    painter.scale(1 / kTextUnitsPerMm, 1 / kTextUnitsPerMm);
    painter.setFont(setLine(text, line).font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, line.width() * kTextUnitsPerMm, line.height() * kTextUnitsPerMm),
                     Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
    painter.restore();
}

} // namespace labels
