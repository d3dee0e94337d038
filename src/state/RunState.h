#pragma once

#include <QObject>
#include <QString>

namespace store {
class Database;
}

namespace core {

// Whether this run may still write: after the records are cleared or replaced by a restore,
// memory no longer matches the file and every write is refused until the restart.
class RunState : public QObject {
    Q_OBJECT
public:
    explicit RunState(store::Database &db, QObject *parent = nullptr);

    int restartPending() const { return RestartPending; }
    int dataCleared() const { return DataCleared; }
    bool writable() const { return DataCleared == 0; }
    // What every refused write tells the teacher.
    static QString writesClosedMessage();

    // An import or setting takes effect at the next start.
    void requireRestart(const QString &notice);
    // The records were cleared or restored underneath memory.
    void recordsReplaced(const QString &notice);

signals:
    // The notice button asks for the restart with this caption.
    void restartRequired(const QString &notice);

private:
    store::Database &db_;
    int RestartPending = 0;
    int DataCleared = 0;
};

} // namespace core
