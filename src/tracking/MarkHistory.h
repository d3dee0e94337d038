#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tracking {

// One pupil's mark of one book on one day as it was before a scan or a correction changed it.
struct MarkChange {
    QString dateKey;
    int classNumber = 1;
    int slot = 0;
    int pupil = 0;
    QString before;
};

// The mark changes of this run, newest last, so that the last can be taken back.
class MarkHistory {
public:
    void record(const MarkChange &change);
    // The newest change of the given day and class, whatever other days and classes changed since;
    // a change of another day or class is never undone from this one.
    std::optional<MarkChange> takeLatest(const QString &dateKey, int classNumber);

private:
    QList<MarkChange> changes_;
};

// "7：王小明  优" gives 7.
int pupilOfListEntry(const QString &entry);

} // namespace tracking
