#pragma once

#include "state/Records.h"

#include <QObject>

namespace store {
class HomeworkDb;
}

namespace core {

// Owns the two remembered lists: the recently shown homework and the newest published.
class RememberedHomework : public QObject {
    Q_OBJECT
public:
    explicit RememberedHomework(store::HomeworkDb &db, QObject *parent = nullptr);

    const RememberedList &recentShown() const { return RecentShown; }
    const RememberedList &latestEntered() const { return LatestEntered; }

    // Throws store::DatabaseError.
    void load();
    void save();

    // The shown day's homework of a class and slot at the front of the recent list; in history
    // mode the others move back and no duplicate stays.
    void rememberShown(const DayState &day, const QString &classDigit, const QString &slotText, const QString &caption);
    // Recent entry n moves to the front.
    void bringRecentToFront(int n);
    // A published task heads both lists.
    void addPublished(const RememberedEntry &entry);

signals:
    void changed();

private:
    store::HomeworkDb &db_;
    RememberedList RecentShown{};
    RememberedList LatestEntered{};
};

} // namespace core
