#include "ui/WindowPlacement.h"

#include "ui/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui {

namespace {

const char *const kFramePending = "framePending";

QSize scaled(const QSize &size, double factor) { return scaledEdges(QRect(QPoint(), size), factor).size(); }

bool fits(const QSize &size, const QSize &room) { return size.width() <= room.width() && size.height() <= room.height(); }

// The windows drawn in twips place their controls by hand in plain widgets, frames and group boxes.
bool holdsPlacedControls(const QWidget *widget)
{
    const QMetaObject *kind = widget->metaObject();
    return widget->isWindow() || kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject ||
           qobject_cast<const QGroupBox *>(widget);
}

bool laidOutInTwips(const QWidget *window)
{
    const auto *main = qobject_cast<const QMainWindow *>(window);
    const QWidget *content = main ? main->centralWidget() : window;
    return content && !content->layout();
}

void shrinkPlacedControls(QWidget *container, double factor)
{
    for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        if (!container->layout())
            child->setGeometry(scaledEdges(child->geometry(), factor));
        if (child->minimumSize() != QSize(0, 0))
            child->setMinimumSize(scaled(child->minimumSize(), factor));
        if (holdsPlacedControls(child))
            shrinkPlacedControls(child, factor);
    }
}

void settleLayout(QWidget *window)
{
    if (window->layout())
        window->layout()->activate();
}

// The size a window is about to show: a layout still waiting is settled first, and a shown window
// may hear of its new size from the window system only later.
QSize settledSize(QWidget *window)
{
    settleLayout(window);
    return window->size().expandedTo(window->minimumSize());
}

// A window drawn in twips: its content at the size drawn, and what lies around it (a main
// window's menu bar), which keeps about its height.
struct TwipsWindow {
    QSize content;
    QSize around;
};

TwipsWindow measured(const QWidget *window)
{
    const auto *main = qobject_cast<const QMainWindow *>(window);
    if (!main)
        return {window->size(), QSize(0, 0)};
    // A main window that holds its content to the size drawn says so by a minimum.
    const QWidget *content = main->centralWidget();
    if (content->minimumSize().isNull())
        return {content->size(), main->size() - content->size()};
    return {content->minimumSize(), main->minimumSize() - content->minimumSize()};
}

// The content shrinks into the room with its controls; the scale of the windows still to come and
// the program's font shrink with it, so that every caption keeps fitting its smaller control.
QSize shrinkInto(QWidget *window, const QSize &room)
{
    const TwipsWindow drawn = measured(window);
    const double factor = std::min(double(room.width() - drawn.around.width()) / drawn.content.width(),
                                   double(room.height() - drawn.around.height()) / drawn.content.height());
    if (!(factor > 0))
        return settledSize(window);
    setLayoutScale(layoutScale() * factor);
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, int(QFontInfo(font).pixelSize() * factor)));
    QApplication::setFont(font);
    shrinkPlacedControls(window, factor);
    // The smaller minimum first: the window system holds a window to the minimum it knows.
    settleLayout(window);
    window->resize(drawn.around + scaled(drawn.content, factor));
    return settledSize(window);
}

// The top-left corner that puts the frame inside the available area, moved no further than needed;
// a frame larger than the area keeps its title bar in reach.
QPoint frameCornerInside(const QRect &frame, const QRect &available)
{
    const int left = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int top = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return {left, top};
}

QMargins frameOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

bool fittedByFrame(const QWidget *widget)
{
    return widget->isWindow() && (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog);
}

// A window is fitted once each time it is shown, when it is first drawn: by then the window
// manager has framed and placed it.
class FrameKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && fittedByFrame(static_cast<QWidget *>(watched)))
            watched->setProperty(kFramePending, true);
        if (event->type() == QEvent::Expose)
            if (auto *surface = qobject_cast<QWindow *>(watched); surface && surface->isExposed())
                for (QWidget *window : QApplication::topLevelWidgets())
                    if (window->windowHandle() == surface && window->property(kFramePending).toBool()) {
                        window->setProperty(kFramePending, false);
                        fitFrameInside(window, frameOf(window), window->screen()->availableGeometry());
                    }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void fitFrameInside(QWidget *window, const QMargins &frame, const QRect &available)
{
    const QSize room = available.size().shrunkBy(frame);
    if (room.isEmpty())
        return;
    QSize size = settledSize(window);
    if (!fits(size, room)) {
        if (laidOutInTwips(window)) {
            size = shrinkInto(window, room);
        } else {
            window->resize(size.boundedTo(room));
            size = settledSize(window);
        }
    }
    const QPoint corner = frameCornerInside(QRect(window->geometry().topLeft(), size).marginsAdded(frame), available);
    window->setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size));
}

void keepWindowsOnScreen() { qApp->installEventFilter(new FrameKeeper(qApp)); }

} // namespace ui
