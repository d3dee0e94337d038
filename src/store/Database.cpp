#include "store/Database.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

namespace store {

DatabaseError::DatabaseError(const QString &message, int resultCode, const QString &detail)
    : std::runtime_error(message.toStdString()), resultCode_(resultCode), detail_(detail)
{
}

DatabaseError DatabaseError::fromEngine(int resultCode, const QString &engineText)
{
    return DatabaseError(teacherText(resultCode, engineText), resultCode, engineText);
}

namespace {

[[noreturn]] void throwEngineError(sqlite3 *db)
{
    if (!db)
        throw DatabaseError::fromEngine(SQLITE_NOMEM, QString::fromUtf8(sqlite3_errstr(SQLITE_NOMEM)));
    throw DatabaseError::fromEngine(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

DatabaseOpenError openError(const DatabaseError &error) { return DatabaseOpenError(error.message(), error); }

DatabaseError missingFile() { return DatabaseError(QStringLiteral("文件不存在。"), SQLITE_CANTOPEN); }

} // namespace

void Database::fail() const { throwEngineError(db_); }

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
    const int rc = sqlite3_open_v2(file.constData(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        db.fail();
    const QByteArray keyBytes = key.toUtf8();
    if (sqlite3_key(raw, keyBytes.constData(), keyBytes.size()) != SQLITE_OK)
        db.fail();
    sqlite3_busy_timeout(raw, 1000);
    sqlite3_extended_result_codes(raw, 1);
    return db;
}

int Database::schemaEntries()
{
    Statement entries = prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    entries.step();
    const int count = entries.integer(0);
    entries.reset();
    return count;
}

Database Database::openExisting(const QString &path, const QString &key, const std::function<void(Database &)> &check)
{
    try {
        if (!QFileInfo::exists(path))
            throw missingFile();
        Database db = openWithKey(path, key, SQLITE_OPEN_READWRITE);
        if (db.schemaEntries() == 0)
            throw DatabaseError(QStringLiteral("文件中没有任何数据表。"), SQLITE_NOTADB);
        if (check)
            check(db);
        if (sqlite3_db_readonly(db.db_, "main") == 1)
            throw DatabaseError::fromEngine(SQLITE_READONLY, QString::fromUtf8(sqlite3_errstr(SQLITE_READONLY)));
        db.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        // An immediate transaction proves we may write: no other program holds the file.
        db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        db.exec(QStringLiteral("COMMIT"));
        db.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        return db;
    } catch (const DatabaseOpenError &) {
        throw;
    } catch (const DatabaseError &error) {
        throw openError(error);
    }
}

void Database::backupTo(const QString &path, const QString &key)
{
    Database copy = createNew(path, key);
    sqlite3_backup *backup = sqlite3_backup_init(copy.db_, "main", db_, "main");
    if (!backup)
        copy.fail();
    sqlite3_backup_step(backup, -1);
    if (sqlite3_backup_finish(backup) != SQLITE_OK)
        copy.fail();
    // The pages bring the source's WAL mode along; a copy is one file, with no journal beside
    // it to lose when it is moved or opened to be read.
    copy.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
}

Database Database::openReadOnly(const QString &path, const QString &key)
{
    try {
        if (!QFileInfo(path).isFile())
            throw missingFile();
        Database db = openWithKey(path, key, SQLITE_OPEN_READONLY);
        db.schemaEntries();
        return db;
    } catch (const DatabaseError &error) {
        throw openError(error);
    }
}

void Database::restoreFrom(Database &source)
{
    sqlite3_backup *backup = sqlite3_backup_init(db_, "main", source.db_, "main");
    if (!backup)
        fail();
    sqlite3_backup_step(backup, -1);
    if (sqlite3_backup_finish(backup) != SQLITE_OK)
        fail();
}

Database Database::createNew(const QString &path, const QString &key)
{
    if (QFileInfo::exists(path))
        throw DatabaseOpenError(QStringLiteral("文件“%1”已经存在。").arg(QDir::toNativeSeparators(path)), SQLITE_CANTOPEN);
    return openWithKey(path, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
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
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(db_, text.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

int Database::changes() const { return sqlite3_changes(db_); }

qint64 Database::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

Statement Database::prepare(const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
        fail();
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
    const int code = sqlite3_extended_errcode(db_);
    const QString engineText = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_reset(stmt_);
    throw DatabaseError::fromEngine(code, engineText);
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
