#include "store/Database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

namespace store {

DatabaseError::DatabaseError(const QString &message) : std::runtime_error(message.toStdString()) {}

namespace {

QString engineMessage(sqlite3 *db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

} // namespace

QString quoted(const QString &identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

Database Database::openWithKey(const QString &path, const QString &key, int flags)
{
    sqlite3 *raw = nullptr;
    const QByteArray file = path.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        throw DatabaseOpenError(engineMessage(raw));
    const QByteArray keyBytes = key.toUtf8();
    if (sqlite3_key(raw, keyBytes.constData(), keyBytes.size()) != SQLITE_OK)
        throw DatabaseOpenError(engineMessage(raw));
    sqlite3_busy_timeout(raw, 1000);
    sqlite3_extended_result_codes(raw, 1);
    return db;
}

Database Database::openExisting(const QString &path, const QString &key)
{
    if (!QFileInfo::exists(path))
        throw DatabaseOpenError(QStringLiteral("file not found"));
    Database db = openWithKey(path, key, SQLITE_OPEN_READWRITE);
    try {
        // Reading the schema proves the key; an immediate transaction proves we may write.
        Statement tables = db.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        tables.step();
        const bool empty = tables.integer(0) == 0;
        tables.reset();
        if (empty)
            throw DatabaseOpenError(QStringLiteral("file holds no tables"));
        if (sqlite3_db_readonly(db.db_, "main") == 1)
            throw DatabaseOpenError(QStringLiteral("attempt to write a readonly database"));
        db.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        db.exec(QStringLiteral("COMMIT"));
    } catch (const DatabaseOpenError &) {
        throw;
    } catch (const DatabaseError &e) {
        throw DatabaseOpenError(e.message());
    }
    db.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    return db;
}

void Database::backupTo(const QString &path, const QString &key)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(QStringLiteral("file already exists"));
    try {
        Database copy = openWithKey(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup *backup = sqlite3_backup_init(copy.db_, "main", db_, "main");
        if (!backup)
            throw DatabaseError(engineMessage(copy.db_));
        sqlite3_backup_step(backup, -1);
        if (sqlite3_backup_finish(backup) != SQLITE_OK)
            throw DatabaseError(engineMessage(copy.db_));
        // The pages bring the source's WAL mode along; a copy is one file, with no journal beside
        // it to lose when it is moved or opened to be read.
        copy.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    } catch (const DatabaseError &) {
        QFile::remove(path);
        throw;
    }
}

Database Database::openReadOnly(const QString &path, const QString &key)
{
    if (!QFileInfo(path).isFile())
        throw DatabaseOpenError(QStringLiteral("file not found"));
    Database db = openWithKey(path, key, SQLITE_OPEN_READONLY);
    try {
        Statement tables = db.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        tables.step();
        tables.reset();
    } catch (const DatabaseError &e) {
        throw DatabaseOpenError(e.message());
    }
    return db;
}

void Database::restoreFrom(Database &source)
{
    sqlite3_backup *backup = sqlite3_backup_init(db_, "main", source.db_, "main");
    if (!backup)
        throw DatabaseError(engineMessage(db_));
    sqlite3_backup_step(backup, -1);
    if (sqlite3_backup_finish(backup) != SQLITE_OK)
        throw DatabaseError(engineMessage(db_));
}

Database Database::createNew(const QString &path, const QString &key)
{
    if (QFileInfo::exists(path))
        throw DatabaseOpenError(QStringLiteral("file already exists"));
    Database db = openWithKey(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    db.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    db.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    return db;
}

Database::Database(Database &&other) noexcept : db_(other.db_), writesClosed_(std::move(other.writesClosed_))
{
    other.db_ = nullptr;
}

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        if (db_)
            sqlite3_close_v2(db_);
        db_ = other.db_;
        writesClosed_ = std::move(other.writesClosed_);
        other.db_ = nullptr;
    }
    return *this;
}

Database::~Database()
{
    if (db_)
        sqlite3_close_v2(db_);
}

void Database::exec(const QString &sql)
{
    char *error = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(db_, text.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : engineMessage(db_);
        sqlite3_free(error);
        throw DatabaseError(message);
    }
}

int Database::changes() const { return sqlite3_changes(db_); }

qint64 Database::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

Statement Database::prepare(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt, nullptr)
        != SQLITE_OK)
        throw DatabaseError(engineMessage(db_));
    return Statement(db_, stmt);
}

Statement::Statement(Statement &&other) noexcept : db_(other.db_), stmt_(other.stmt_) { other.stmt_ = nullptr; }

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        if (stmt_)
            sqlite3_finalize(stmt_);
        db_ = other.db_;
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

void Statement::fail() const
{
    const QString message = engineMessage(db_);
    sqlite3_reset(stmt_);
    throw DatabaseError(message);
}

Statement &Statement::bind(int index, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    if (sqlite3_bind_text(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail();
    return *this;
}

Statement &Statement::bind(int index, int value)
{
    if (sqlite3_bind_int(stmt_, index, value) != SQLITE_OK)
        fail();
    return *this;
}

Statement &Statement::bind(int index, double value)
{
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK)
        fail();
    return *this;
}

Statement &Statement::bindNull(int index)
{
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        fail();
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(stmt_);
        return false;
    }
    fail();
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

bool Statement::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(stmt_, column)) : QString();
}

int Statement::integer(int column) const { return sqlite3_column_int(stmt_, column); }

double Statement::number(int column) const { return sqlite3_column_double(stmt_, column); }

void Database::closeWrites(const QString &reason)
{
    exec(QStringLiteral("PRAGMA query_only = 1"));
    writesClosed_ = reason;
}

Transaction::Transaction(Database &db) : db_(db)
{
    if (!db_.writesClosedReason().isEmpty())
        throw WritesClosed(db_.writesClosedReason());
    db_.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!done_)
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    db_.exec(QStringLiteral("COMMIT"));
    done_ = true;
}

} // namespace store
