#include "OfficeTestSupport.h"

#include "office/OfficeProfile.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace office::test {

namespace {

int run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool schedulerRunning()
{
    QString output;
    return run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output) == 0
           && !output.contains(QLatin1String("not running"));
}

} // namespace

QString preparedFile(const QString &relativePath)
{
    return QStringLiteral(PROGRAM_FOLDER "/") + relativePath;
}

QString copyPrepared(const QString &relativePath, const QString &folder)
{
    const QString target = folder + QLatin1Char('/') + QFileInfo(relativePath).fileName();
    if (!QFile::copy(preparedFile(relativePath), target))
        return {};
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QStringList convertAll(const QStringList &files, const QString &filter, const QString &outputFolder)
{
    // One profile for every conversion, prepared as the program prepares its own.
    static const QString profile = [] {
        static QTemporaryDir folder;
        office::prepareProfile(folder.path(), QStringLiteral(SOFFICE));
        return folder.path();
    }();
    const QStringList arguments = QStringList{
        QStringLiteral("-env:UserInstallation=%1")
            .arg(QUrl::fromLocalFile(profile).toString(QUrl::FullyEncoded)),
        QStringLiteral("--headless"), QStringLiteral("--norestore"),
        QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"), outputFolder} + files;
    const bool converted = run(QStringLiteral(SOFFICE), arguments) == 0;
    const QString extension = filter.section(QLatin1Char(':'), 0, 0);
    QStringList results;
    for (const QString &file : files) {
        const QString result =
            outputFolder + QLatin1Char('/') + QFileInfo(file).completeBaseName() + QLatin1Char('.') + extension;
        results << (converted && QFileInfo::exists(result) ? result : QString());
    }
    return results;
}

QString convert(const QString &file, const QString &filter, const QString &outputFolder)
{
    return convertAll({file}, filter, outputFolder).constFirst();
}

QString readUtf8(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QByteArray fileDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

int pdfPages(const QString &path)
{
    QString output;
    if (run(QStringLiteral("pdfinfo"), {path}, &output) != 0)
        return -1;
    const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption)
                           .match(output);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfText(const QString &path)
{
    QString output;
    return run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}, &output) == 0 ? output : QString();
}

namespace {

qint64 parentOf(qint64 pid)
{
    // The field after the command name, which is the last ")" of the line.
    const QString stat = readUtf8(QStringLiteral("/proc/%1/stat").arg(pid));
    const QStringList fields = stat.mid(stat.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
    return fields.size() > 1 ? fields.at(1).toLongLong() : 0;
}

// Other test programs run their own offices at the same time; only ours count.
bool startedByThisProcess(qint64 pid)
{
    const qint64 self = QCoreApplication::applicationPid();
    for (qint64 ancestor = parentOf(pid); ancestor > 1; ancestor = parentOf(ancestor))
        if (ancestor == self)
            return true;
    return false;
}

} // namespace

QList<qint64> sessionProcesses()
{
    QList<qint64> found;
    const auto entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (cmdline.open(QIODevice::ReadOnly)
            && cmdline.readAll().contains("--accept=pipe,name=homework_office_") && startedByThisProcess(pid))
            found.append(pid);
    }
    return found;
}

bool processAlive(qint64 pid)
{
    const QString status = readUtf8(QStringLiteral("/proc/%1/status").arg(pid));
    return !status.isEmpty() && !status.contains(QLatin1String("State:\tZ"));
}

PdfPrintQueue::PdfPrintQueue() : m_lock(QDir::temp().filePath(QStringLiteral("homework-tests-print-queue.lock")))
{
    // Test programs run side by side; only their printing must take turns. A lock is stale only
    // once its holder is gone.
    m_lock.setStaleLockTime(0);
    if (!m_lock.tryLock(600000)) {
        m_problem = QStringLiteral("another test kept the print queue for ten minutes");
        return;
    }
    const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"),
                                                         {QStringLiteral("/usr/sbin")});
    if (!schedulerRunning()) {
        if (cupsd.isEmpty()) {
            m_problem = QStringLiteral("no CUPS scheduler runs and cupsd is not installed");
            return;
        }
        QDir().mkpath(QStringLiteral("/run/cups"));
        m_scheduler = std::make_unique<QProcess>();
        m_scheduler->setStandardOutputFile(QProcess::nullDevice());
        m_scheduler->setStandardErrorFile(QProcess::nullDevice());
        m_scheduler->start(cupsd, {QStringLiteral("-f")});
        const QDeadlineTimer deadline(10000);
        while (!schedulerRunning() && !deadline.hasExpired()
               && m_scheduler->state() != QProcess::NotRunning)
            QThread::msleep(200);
        if (!schedulerRunning()) {
            m_problem = QStringLiteral("cupsd could not be started (it needs root or a running "
                                       "scheduler)");
            return;
        }
    }
    if (run(QStringLiteral("lpstat"), {QStringLiteral("-p"), QStringLiteral("PDF")}) != 0) {
        if (run(QStringLiteral("lpadmin"),
                {QStringLiteral("-p"), QStringLiteral("PDF"), QStringLiteral("-v"),
                 QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                 QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"), QStringLiteral("-E")})
            != 0) {
            m_problem = QStringLiteral("lpadmin could not add the CUPS-PDF queue");
            return;
        }
        m_addedQueue = true;
    }
    m_optionsFile = QDir::homePath() + QStringLiteral("/.cups/lpoptions");
    QFile options(m_optionsFile);
    if (options.open(QIODevice::ReadOnly))
        m_previousOptions = options.readAll();
    if (run(QStringLiteral("lpoptions"), {QStringLiteral("-d"), QStringLiteral("PDF")}) != 0) {
        m_problem = QStringLiteral("lpoptions could not make PDF the default destination");
        return;
    }
    // Jobs left by a run that was killed would print into this test's folder.
    run(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("PDF")});
    m_jobsBefore = jobsHandedOver();
    const QFileInfoList files = QDir(outputFolder()).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
    for (const QFileInfo &file : files)
        m_earlier.insert(file.fileName(), file.lastModified());
}

PdfPrintQueue::~PdfPrintQueue()
{
    if (!m_optionsFile.isEmpty()) {
        QFile options(m_optionsFile);
        if (!m_previousOptions) {
            options.remove();
            QDir().rmdir(QFileInfo(m_optionsFile).absolutePath());
        } else if (options.open(QIODevice::WriteOnly | QIODevice::Truncate))
            options.write(*m_previousOptions);
    }
    if (m_addedQueue)
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("PDF")});
    if (m_scheduler) {
        m_scheduler->terminate();
        if (!m_scheduler->waitForFinished(10000))
            m_scheduler->kill();
    }
}

int PdfPrintQueue::jobsHandedOver() const
{
    QString output;
    if (run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"),
                                       QStringLiteral("PDF")}, &output) != 0)
        return -1;
    return int(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size()) - m_jobsBefore;
}

QStringList PdfPrintQueue::printedFiles(int expected, int waitMs) const
{
    QStringList found;
    const QDeadlineTimer deadline(waitMs);
    while (found.size() < expected && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(200);
        found.clear();
        const QFileInfoList files = QDir(outputFolder()).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QFileInfo &file : files) {
            const auto earlier = m_earlier.constFind(file.fileName());
            const bool written = earlier == m_earlier.constEnd() || *earlier != file.lastModified();
            if (written && pdfPages(file.filePath()) > 0)
                found << file.filePath();
        }
    }
    return found;
}

void PdfPrintQueue::removeFiles(const QStringList &files)
{
    for (const QString &file : files)
        QFile::remove(file);
}

QString PdfPrintQueue::outputFolder() const
{
    return QDir::homePath() + QStringLiteral("/PDF");
}

} // namespace office::test
