#pragma once

#include "TestSupport.h"

#include "app/Form1.h"
#include "ui/MessagePresenter.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace testing {

// Types as a person would: Latin keys pressed, Chinese committed through the input method.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent event;
            event.setCommitString(QString(c));
            QApplication::sendEvent(widget, &event);
        }
    }
}

inline QStringList listTexts(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

// A click on a row, as the mouse would give it.
inline void clickRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The main window over a temporary program folder, messages captured instead of shown.
struct RunningWindow {
    ProgramFolder folder;
    FixedClock clock;
    std::unique_ptr<Form1> window;

    explicit RunningWindow(int pupils = 40, QDate today = QDate(2014, 5, 17)) : folder(pupils), clock(today)
    {
        ui::MessagePresenter::setTestMode(true);
        ui::MessagePresenter::takeShown();
        start();
    }

    void start()
    {
        window = std::make_unique<Form1>(folder.path(), clock);
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // Closing runs the shut-down save, as the teacher's click on the close box would.
    void restart()
    {
        window->close();
        window.reset();
        start();
    }

    ui::Form1Controls &ui() { return window->controls(); }
    core::MainState &state() { return window->state(); }
    store::Database &db() { return window->db().database(); }

    void scan(const QString &code)
    {
        ui().Text1->setFocus();
        QTest::keyClicks(ui().Text1, code);
        QTest::keyClick(ui().Text1, Qt::Key_Return);
    }

    // Registers content for a book on the shown day, as publishing would, and reloads it.
    void publish(int slot, const QString &content)
    {
        setContent(db(), state().CurrentDateKey, slot, content);
        window->Timer1_Timer();
    }
};

} // namespace testing
