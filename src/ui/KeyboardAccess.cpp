#include "ui/KeyboardAccess.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace ui {

namespace {

void openFirstMenu(QMenuBar *bar)
{
    const QList<QAction *> entries = bar->actions();
    if (entries.isEmpty())
        return;
    bar->setActiveAction(entries.first());
    if (QMenu *menu = entries.first()->menu())
        menu->setActiveAction(menu->actions().value(0));
}

// The style gives the menu bar the keyboard when Alt is released alone, with the first menu only
// highlighted; the menu then opens. Alt with a letter leaves it alone: that letter's menu or item
// is open or done by then. The release is watched for the whole program, since no widget passes
// it on to its window.
class AltOpensFirstMenu : public QObject {
public:
    explicit AltOpensFirstMenu(QMenuBar *bar) : QObject(bar), bar_(bar) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Alt)
            QMetaObject::invokeMethod(
                bar_,
                [bar = bar_] {
                    if (bar->hasFocus() && !QApplication::activePopupWidget())
                        openFirstMenu(bar);
                },
                Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    QMenuBar *bar_;
};

} // namespace

void openMenusFromTheKeyboard(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] { openFirstMenu(bar); });
    qApp->installEventFilter(new AltOpensFirstMenu(bar));
}

void pressFocusedButtonsWithEnter(QWidget *window)
{
    for (QPushButton *button : window->findChildren<QPushButton *>())
        button->setAutoDefault(true);
}

} // namespace ui
