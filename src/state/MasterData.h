#pragma once

#include "admin/PupilImport.h"
#include "state/Records.h"

#include <QObject>
#include <QStringList>

namespace store {
class HomeworkDb;
}

namespace core {

// Owns the class names and sizes, book names, pupil names, subject-book links and test books.
// Settings that need a restart are written only; the rest is written and held at once.
class MasterData : public QObject {
    Q_OBJECT
public:
    explicit MasterData(store::HomeworkDb &db, QObject *parent = nullptr);

    const MasterRecords &records() const { return records_; }

    // The loaders of a start, in their order; throws store::DatabaseError.
    void load();
    void loadPupilNames();

    // Subject row s (1..4), books 1..lastBook, as the teacher ticked them.
    void saveSubjectBookFlags(const std::array<std::array<int, kBooks + 1>, 6> &flags, int lastBook);
    // The leading number of each box becomes the test book of 语文..科学.
    void storeTestBooks(const std::array<QString, 4> &boxes);
    void saveClassNames(const QString &first, const QString &second);
    // Books 1..32 as stored now (null as empty), and their new names.
    QStringList readBookNames();
    void saveBookNames(const QStringList &names);
    QString readPassword();
    void writePassword(const QString &password);
    // A class's pupils (1 or 2) replaced by an accepted list; takes effect at the next start.
    void replacePupils(int classNumber, const QStringList &names);

signals:
    void changed();

private:
    store::HomeworkDb &db_;
    MasterRecords records_;
};

} // namespace core
