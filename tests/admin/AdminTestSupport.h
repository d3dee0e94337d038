#pragma once

#include "WindowSupport.h"

#include "admin/AdminWindows.h"
#include "admin/Form8.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace testing {

inline admin::Form8 *loginWindow(RunningWindow &run)
{
    return run.window->findChild<admin::Form8 *>(QStringLiteral("Form8"));
}

// Lets windows closed with deleteLater go, as the event loop would between two clicks.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The menu item, then the password typed into the login box and "确定" (or Enter in the box).
inline void logIn(RunningWindow &run, QAction *item, const QString &password = QStringLiteral("730418"),
                  bool byEnter = false)
{
    item->trigger();
    admin::Form8 *login = loginWindow(run);
    QVERIFY(login && login->isVisible());
    QTest::keyClicks(login->Text2, password);
    if (byEnter)
        QTest::keyClick(login->Text2, Qt::Key_Return);
    else
        QTest::mouseClick(login->Command1, Qt::LeftButton);
    settle();
}

inline int count(store::Database &db, const QString &table)
{
    return value(db, QStringLiteral("SELECT count(*) FROM %1").arg(store::quoted(table))).toInt();
}

inline void setPassword(store::Database &db, const QString &password)
{
    db.prepare(QStringLiteral("UPDATE \"管理密码\" SET \"密码\" = ?")).bind(1, password).run();
}

} // namespace testing
