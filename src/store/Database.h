#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// Any failure of the store, its message worded for the teacher.
class DatabaseError : public std::runtime_error {
public:
    // resultCode is the engine's extended result code behind the failure (0 for the program's own
    // failures); detail is what the engine said or a check found.
    explicit DatabaseError(const QString &message, int resultCode = 0, const QString &detail = {});
    // A failure the engine reported, worded by teacherText.
    static DatabaseError fromEngine(int resultCode, const QString &engineText);

    QString message() const { return QString::fromUtf8(what()); }
    int resultCode() const { return resultCode_; }
    // The engine's own English description, or the message for the program's own failures: what
    // a message that says its own sentence first puts in brackets.
    QString detail() const { return detail_.isEmpty() ? message() : detail_; }

private:
    int resultCode_ = 0;
    QString detail_;
};

// The file is absent, cannot be created, or exists but is not ours to use: not this program's
// database, damaged, another key, locked or read-only.
class DatabaseOpenError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
    explicit DatabaseOpenError(const QString &message, const DatabaseError &cause)
        : DatabaseError(message, cause.resultCode(), cause.detail())
    {
    }
};

// Every write after the records were cleared or replaced during this run: memory no longer matches
// the file, so nothing more may be written until the restart.
class WritesClosed : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// What happened and what to do, for each common cause, with the engine's text in brackets after it.
QString teacherText(int resultCode, const QString &engineText);

class Statement;

// One SQLCipher connection, kept for the whole run because deriving the key is slow.
class Database {
public:
    // Opens an existing file for the run; never creates one. `check` sees the file before anything
    // is written to it (journal mode, write lock) and throws to refuse it.
    static Database openExisting(const QString &path, const QString &key,
                                 const std::function<void(Database &)> &check = {});
    // Creates a new file with a rollback journal, so that once closed it is one file; fails if one
    // is already there.
    static Database createNew(const QString &path, const QString &key);
    // Opens a file only to read it, leaving its bytes as they are; proves the key.
    static Database openReadOnly(const QString &path, const QString &key);

    Database(Database &&other) noexcept;
    Database &operator=(Database &&other) noexcept;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;
    ~Database();

    void exec(const QString &sql);
    // Rows changed by the last statement, and the rowid of the last insert.
    int changes() const;
    qint64 lastInsertRowId() const;
    Statement prepare(const QString &sql);
    sqlite3 *handle() const { return db_; }
    // A consistent copy of the open file into a new file at path, keyed with key, one file with no
    // journal beside it. A failure leaves what was written: see writeWhole.
    void backupTo(const QString &path, const QString &key);
    // Replaces the whole content of the open file with that of source, in one step.
    void restoreFrom(Database &source);
    // From now on every transaction is refused with WritesClosed(reason), and the engine itself
    // refuses any write that would not open one.
    void closeWrites(const QString &reason);
    const QString &writesClosedReason() const { return writesClosed_; }

private:
    explicit Database(sqlite3 *db) : db_(db) {}
    static Database openWithKey(const QString &path, const QString &key, int flags);
    // Reading the schema proves the key.
    int schemaEntries();
    [[noreturn]] void fail() const;
    sqlite3 *db_ = nullptr;
    QString writesClosed_;
};

// A prepared statement; bind by 1-based index, read columns by 0-based position.
class Statement {
public:
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    Statement &bind(int index, const QString &text);
    Statement &bind(int index, int value);
    Statement &bind(int index, double value);
    Statement &bindNull(int index);

    // Advances to the next row; false when done. Resets itself when done.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    int columnCount() const;
    bool isNull(int column) const;
    // Null reads as the empty text.
    QString text(int column) const;
    int integer(int column) const;
    double number(int column) const;

private:
    friend class Database;
    Statement(sqlite3 *db, sqlite3_stmt *stmt) : db_(db), stmt_(stmt) {}
    [[noreturn]] void fail() const;
    sqlite3 *db_ = nullptr;
    sqlite3_stmt *stmt_ = nullptr;
};

// Rolls back unless committed; the destructor never throws.
class Transaction {
public:
    explicit Transaction(Database &db);
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    ~Transaction();
    void commit();

private:
    Database &db_;
    bool done_ = false;
};

// "名字" with embedded quotes doubled, for identifiers that start with digits or hold Chinese.
QString quoted(const QString &identifier);

} // namespace store
