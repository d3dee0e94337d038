#pragma once

#include "ui/ElidingControls.h"
#include "ui/Form1Controls.h"
#include "ui/Twips.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QToolTip>

namespace testing {

// The title bar a desktop puts above a window.
inline constexpr int kTitleBar = 32;

// The areas left by a taskbar on a 1366 x 768 laptop, on a 1920 x 1080 screen at 150 % (1280 x 720
// logical) and on a 1600 x 900 screen.
struct Screen {
    const char *name;
    QSize available;
};
inline const Screen kScreens[] = {{"1366x768", {1366, 728}}, {"1280x720", {1280, 680}}, {"1600x900", {1600, 860}}};

// The windows built while it lives are laid out for that screen.
struct FittedLayout {
    explicit FittedLayout(QSize available) { ui::fitLayoutTo(available); }
    ~FittedLayout() { ui::setLayoutScale(1.0); }
    FittedLayout(const FittedLayout &) = delete;
    FittedLayout &operator=(const FittedLayout &) = delete;
};

// The tooltip the teacher sees on resting the mouse over the control.
inline QString tipOf(QWidget *control)
{
    const QPoint centre = control->rect().center();
    QHelpEvent event(QEvent::ToolTip, centre, control->mapToGlobal(centre));
    QApplication::sendEvent(control, &event);
    const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return tip;
}

inline QString nameOf(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : widget->objectName();
}

inline QRect inWindow(const QWidget *widget) { return QRect(widget->mapTo(widget->window(), QPoint()), widget->size()); }

// What the teacher could not read whole: a caption wider than its control, or elided without
// the whole text in its tooltip.
inline QString captionFault(QWidget *widget)
{
    const QFontMetrics metrics(widget->font());
    const int margin = widget->style()->pixelMetric(QStyle::PM_ButtonMargin);
    QString caption;
    bool cut = false;
    auto *elidingButton = dynamic_cast<ui::ElidingButton *>(widget);
    auto *elidingLabel = dynamic_cast<ui::ElidingLabel *>(widget);
    if (elidingButton || elidingLabel) {
        caption = elidingButton ? elidingButton->text() : elidingLabel->text();
        cut = (elidingButton ? elidingButton->elided() : elidingLabel->elided()) && tipOf(widget) != caption;
    } else if (auto *label = qobject_cast<const QLabel *>(widget)) {
        caption = label->text();
        cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                : metrics.horizontalAdvance(caption) > label->contentsRect().width() ||
                                      metrics.height() > label->height();
    } else if (auto *radio = qobject_cast<const QRadioButton *>(widget)) {
        caption = radio->text();
        cut = radio->sizeHint().width() > radio->width();
    } else if (auto *button = qobject_cast<const QPushButton *>(widget)) {
        caption = button->text();
        cut = metrics.horizontalAdvance(caption) > button->width() - 2 * margin || metrics.height() > button->height();
    } else if (auto *frame = qobject_cast<const QGroupBox *>(widget)) {
        caption = frame->title();
        cut = metrics.horizontalAdvance(caption) + 4 * margin > frame->width();
    }
    return !caption.isEmpty() && cut ? QStringLiteral("%1 cuts \"%2\"").arg(nameOf(widget), caption) : QString();
}

inline void collectFaults(const QWidget *parent, const QStringList &panelNames, QStringList &faults,
                          QList<const QWidget *> &panels)
{
    const auto isPanel = [&](const QWidget *widget) { return panelNames.contains(widget->objectName()); };
    QList<QWidget *> shown;
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow())
            shown << child;
    // Below a group box's caption strip.
    const int top = qobject_cast<const QGroupBox *>(parent) ? parent->fontMetrics().height() : 0;
    for (int i = 0; i < shown.size(); ++i) {
        QWidget *child = shown[i];
        if (!parent->rect().adjusted(0, top, 0, 0).contains(child->geometry()))
            faults << QStringLiteral("%1 lies outside %2").arg(nameOf(child), nameOf(parent));
        for (int j = i + 1; j < shown.size(); ++j)
            if (!isPanel(child) && !isPanel(shown[j]) && child->geometry().intersects(shown[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(nameOf(child), nameOf(shown[j]));
        const QString cut = captionFault(child);
        if (!cut.isEmpty())
            faults << cut;
        if (isPanel(child))
            panels << child;
        if (!qobject_cast<QAbstractScrollArea *>(child))
            collectFaults(child, panelNames, faults, panels);
    }
}

// Everything wrong with a shown window on a screen of that available area: the window larger than
// the screen, a control outside its parent or on another's place, a caption cut, two of the named
// panels (which may lie over other controls) on one place.
inline QStringList layoutFaults(const QWidget *window, QSize available, const QStringList &panelNames = {})
{
    QStringList faults;
    const QSize size = window->frameGeometry().size() + QSize(0, kTitleBar);
    if (size.width() > available.width() || size.height() > available.height())
        faults << QStringLiteral("%1 is %2x%3 with its title bar").arg(nameOf(window)).arg(size.width()).arg(size.height());
    QList<const QWidget *> panels;
    collectFaults(window, panelNames, faults, panels);
    for (int i = 0; i < panels.size(); ++i)
        for (int j = i + 1; j < panels.size(); ++j)
            if (inWindow(panels[i]).intersects(inWindow(panels[j])))
                faults << QStringLiteral("panels %1 and %2 overlap").arg(nameOf(panels[i]), nameOf(panels[j]));
    return faults;
}

} // namespace testing
