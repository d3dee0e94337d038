#pragma once

#include "TestSupport.h"

#include <QFile>
#include <QTest>

#include <sys/mount.h>

namespace testing {

inline QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Enough school days that the records fill pages of their own after the schema's.
inline void addTerm(store::Database &db)
{
    for (int d = 1; d <= 30; ++d)
        addDay(db, QStringLiteral("14-4-%1").arg(d), {{1, QStringLiteral("第%1页").arg(d)}}, {{1, QString(40, QLatin1Char('1'))}});
}

// As a failing disk or an interrupted copy leaves a file: 16 bytes of the records flipped, or its
// second half gone.
inline void damage(const QString &path, const QString &how)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() * 3 / 4));
    QByteArray bytes = file.peek(16);
    for (char &byte : bytes)
        byte = char(~byte);
    QVERIFY(how == QLatin1String("cut") ? file.resize(file.size() / 2) : file.write(bytes) == 16);
}

// A fault root cannot otherwise meet, undone when it goes: a small disk that fills up, or a folder
// made read-only. mounted() is false where the machine refuses mounts.
class Mount {
public:
    Mount(const QString &folder, int kilobytes) : where_(QFile::encodeName(folder))
    {
        mounted_ = ::mount("tmpfs", where_.constData(), "tmpfs", 0, size(kilobytes).constData()) == 0;
    }
    explicit Mount(const QString &folder) : where_(QFile::encodeName(folder))
    {
        mounted_ = ::mount(where_.constData(), where_.constData(), nullptr, MS_BIND, nullptr) == 0
                   && ::mount(nullptr, where_.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~Mount()
    {
        if (mounted_)
            ::umount2(where_.constData(), MNT_DETACH);
    }

    bool mounted() const { return mounted_; }
    // Room made on the small disk, as the teacher deleting files would.
    bool grow(int kilobytes) { return ::mount(nullptr, where_.constData(), nullptr, MS_REMOUNT, size(kilobytes).constData()) == 0; }

    static constexpr const char *refused = "This machine refuses the mount that makes the fault";

private:
    static QByteArray size(int kilobytes) { return "size=" + QByteArray::number(kilobytes) + 'k'; }
    QByteArray where_;
    bool mounted_ = false;
};

} // namespace testing
