#pragma once

#include "TestSupport.h"

#include "app/Form1.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/RememberedHomework.h"
#include "state/RunState.h"
#include "state/WorkingDay.h"
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
    core::AppContext &context() { return window->context(); }
    ui::MainWindowParts parts() { return window->parts(); }
    const core::DayState &day() { return context().day().state(); }
    const core::MasterRecords &master() { return context().master().records(); }
    core::RememberedHomework &remembered() { return context().remembered(); }
    store::Database &db() { return context().db().database(); }

    void scan(const QString &code)
    {
        ui().Text1->setFocus();
        QTest::keyClicks(ui().Text1, code);
        QTest::keyClick(ui().Text1, Qt::Key_Return);
    }

    // Master data written as the settings panels write it, then loaded as a start loads it.
    void setClassNames(const QString &first, const QString &second = QString())
    {
        context().master().saveClassNames(first, second);
        context().master().load();
    }
    void setBookNames(const QMap<int, QString> &names)
    {
        for (auto name = names.begin(); name != names.end(); ++name)
            setBookName(db(), name.key(), name.value());
        context().master().load();
    }
    void setTestBook(int subject, int book)
    {
        std::array<QString, 4> boxes;
        for (int j = 0; j < 4; ++j)
            boxes[j] = QString::number(j + 1 == subject ? book : master().SubjectTestBooks[j + 1]);
        context().master().storeTestBooks(boxes);
    }
    // Both remembered lists as a previous run left them.
    void setRemembered(const QList<core::RememberedEntry> &recent, const QList<core::RememberedEntry> &latest = {})
    {
        const auto fill = [this](const QString &table, const QList<core::RememberedEntry> &entries) {
            const QStringList rowids = column(db(), QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(store::quoted(table)));
            for (int i = 0; i < rowids.size(); ++i) {
                store::Statement row = db().prepare(
                    QStringLiteral("UPDATE %1 SET \"日期\" = ?, \"班级号\" = ?, \"作业本号\" = ?, \"组合键\" = ?, "
                                   "\"显示标题\" = ? WHERE rowid = ?")
                        .arg(store::quoted(table)));
                for (int f = 1; f <= 5; ++f)
                    row.bind(f, i < entries.size() ? entries[i][f] : QString());
                row.bind(6, rowids[i].toInt()).run();
            }
        };
        fill(QStringLiteral("最近显示作业"), recent);
        fill(QStringLiteral("最新输入作业"), latest);
        remembered().load();
    }
    // A mark of the shown day set as a correction sets it: saved at once.
    void setMark(int slot, int pupil, const QString &mark)
    {
        context().day().showBook(QStringLiteral("1"), store::twoDigits(slot));
        context().day().correctMark(pupil, mark);
    }

    // Registers content for a book on the shown day, as publishing would, and reloads it.
    void publish(int slot, const QString &content)
    {
        setContent(db(), day().CurrentDateKey, slot, content);
        window->Timer1_Timer();
    }
};

} // namespace testing
