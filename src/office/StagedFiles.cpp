#include "office/StagedFiles.h"

#include "office/FileProblems.h"
#include "office/OfficeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace office {

namespace {

const QString kOldKept = QStringLiteral("原来的文件都没有改动。");

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void fail(const QString &text) { throw OfficeError(QStringLiteral("%1\n%2").arg(text, kOldKept)); }

// Written data reach the disk before the name does, so a power cut leaves the old file or the new.
int flushed(const QString &path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

// The old file under a second name until every new one is in place.
struct Replaced
{
    QString target;
    QString old; // empty when the target is new
};

QString asideName(const QString &target)
{
    const QFileInfo file(target);
    return file.absoluteDir().filePath(QStringLiteral(".~old.%1.%2")
                                           .arg(file.fileName())
                                           .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}

// A second link keeps the old file while the new one takes its name in one step; where the file
// system has no links (a FAT stick), the old file is moved aside instead.
int keepOld(const QString &target, QString &old)
{
    old = asideName(target);
    if (::link(encoded(target).constData(), encoded(old).constData()) == 0)
        return 0;
    const int linkError = errno;
    struct stat status;
    if (linkError != EPERM || ::lstat(encoded(target).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return linkError;
    return ::rename(encoded(target).constData(), encoded(old).constData()) == 0 ? 0 : errno;
}

// Puts every replaced file back; what could not be put back is named with where its old version is.
QString undo(const std::vector<Replaced> &done)
{
    QStringList lost;
    for (auto step = done.rbegin(); step != done.rend(); ++step) {
        const bool restored = step->old.isEmpty()
                                  ? ::unlink(encoded(step->target).constData()) == 0
                                  : ::rename(encoded(step->old).constData(), encoded(step->target).constData()) == 0;
        if (!restored)
            lost << QStringLiteral("“%1”未能恢复，原来的文件在“%2”").arg(shownPath(step->target), shownPath(step->old));
    }
    return lost.join(QStringLiteral("；"));
}

} // namespace

StagedFiles::~StagedFiles()
{
    for (const File &file : std::as_const(files_))
        QFile::remove(file.staged);
}

QString StagedFiles::stage(const QString &target, OfficeFormat format)
{
    const QFileInfo file(target);
    if (!QFileInfo(file.absolutePath()).isDir())
        throw OfficeError(notWrittenText(target, {}));
    QTemporaryFile staged(file.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(file.fileName())));
    staged.setAutoRemove(false);
    if (!staged.open())
        throw OfficeError(notWrittenText(target, staged.errorString()));
    files_.append({target, staged.fileName(), format});
    return staged.fileName();
}

void StagedFiles::commit()
{
    for (const File &file : std::as_const(files_)) {
        if (inspectFormat(file.staged, file.format) != FormatVerdict::Whole)
            fail(notWrittenText(file.target, QStringLiteral("新写出的文件不完整")));
        if (const int error = flushed(file.staged))
            fail(notWrittenText(file.target, systemError(error)));
        struct stat old;
        const mode_t mode = ::stat(encoded(file.target).constData(), &old) == 0 ? old.st_mode & 07777 : 0600;
        if (::chmod(encoded(file.staged).constData(), mode) != 0)
            fail(notWrittenText(file.target, systemError(errno)));
    }
    std::vector<Replaced> done;
    for (const File &file : std::as_const(files_)) {
        Replaced step{file.target, {}};
        int error = QFileInfo::exists(file.target) || QFileInfo(file.target).isSymLink() ? keepOld(file.target, step.old) : 0;
        if (!error && ::rename(encoded(file.staged).constData(), encoded(file.target).constData()) != 0) {
            error = errno;
            if (!step.old.isEmpty() && !QFileInfo::exists(file.target))
                ::rename(encoded(step.old).constData(), encoded(file.target).constData());
            else if (!step.old.isEmpty())
                ::unlink(encoded(step.old).constData());
        }
        if (error) {
            const QString lost = undo(done);
            const QString cause = QFileInfo(file.target).isDir() ? folderNotFileText(file.target)
                                                                 : notWrittenText(file.target, systemError(error));
            if (!lost.isEmpty())
                throw OfficeError(QStringLiteral("%1\n%2。").arg(cause, lost));
            fail(cause);
        }
        done.push_back(step);
    }
    for (const Replaced &step : done)
        if (!step.old.isEmpty())
            ::unlink(encoded(step.old).constData());
    files_.clear();
}

} // namespace office
