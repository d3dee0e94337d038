#include "ui/ElidingControls.h"

#include "ui/Twips.h"

#include <QFontInfo>
#include <QHelpEvent>
#include <QStyleOption>
#include <QStylePainter>
#include <QTextLayout>
#include <QToolTip>

namespace ui {

namespace {

constexpr double kSmallestReadablePoints = 7;

// A tooltip set by the program wins over the whole text.
bool asksForWholeText(const QWidget *control, const QEvent *event)
{
    return event->type() == QEvent::ToolTip && control->toolTip().isEmpty();
}

// Only a control that cannot show its whole text shows it as the tooltip.
bool showWholeText(QWidget *control, QEvent *event, bool elided, const QString &text)
{
    if (elided)
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, control);
    else
        QToolTip::hideText();
    return true;
}

} // namespace

ElidingButton::Caption ElidingButton::shownCaption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    QFont font = this->font();
    int pixels = QFontInfo(font).pixelSize();
    const int smallest = fontPixels(kSmallestReadablePoints);
    while (pixels > smallest && QFontMetrics(font).horizontalAdvance(text()) > room)
        font.setPixelSize(--pixels);
    return {font, QFontMetrics(font).elidedText(text(), Qt::ElideMiddle, room)};
}

bool ElidingButton::elided() const { return shownCaption().text != text(); }

void ElidingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const Caption caption = shownCaption();
    option.text = caption.text;
    option.fontMetrics = QFontMetrics(caption.font);
    painter.setFont(caption.font);
    painter.drawControl(QStyle::CE_PushButton, option);
}

bool ElidingButton::event(QEvent *event)
{
    return asksForWholeText(this, event) ? showWholeText(this, event, elided(), text()) : QPushButton::event(event);
}

QStringList ElidingLabel::shownLines() const
{
    const QRect room = contentsRect();
    const QFontMetrics metrics(font());
    const int capacity = std::max(1, room.height() / metrics.lineSpacing());
    const QString whole = text();
    QStringList lines;
    QTextLayout layout(whole, font());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        if (int(lines.size()) == capacity - 1) {
            lines << metrics.elidedText(whole.mid(line.textStart()), Qt::ElideRight, room.width());
            break;
        }
        lines << whole.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

bool ElidingLabel::elided() const { return shownLines().join(QString()) != text(); }

void ElidingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect();
    const int lineHeight = fontMetrics().lineSpacing();
    const QStringList lines = shownLines();
    const int free = room.height() - int(lines.size()) * lineHeight;
    int top = room.top() + (alignment() & Qt::AlignVCenter ? free / 2 : alignment() & Qt::AlignBottom ? free : 0);
    for (const QString &line : lines) {
        style()->drawItemText(&painter, QRect(room.left(), top, room.width(), lineHeight),
                              int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, palette(), isEnabled(), line,
                              foregroundRole());
        top += lineHeight;
    }
    // A label that the keyboard can reach shows plainly that it holds the keyboard.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

bool ElidingLabel::event(QEvent *event)
{
    return asksForWholeText(this, event) ? showWholeText(this, event, elided(), text()) : QLabel::event(event);
}

} // namespace ui
