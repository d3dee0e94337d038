#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLockFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace office::test {

QString preparedFile(const QString &relativePath);
// A writable copy of a prepared file in folder; empty when the copy failed.
QString copyPrepared(const QString &relativePath, const QString &folder);

// Converts with a separate soffice run of its own profile; returns the new file or empty.
QString convert(const QString &file, const QString &filter, const QString &outputFolder);
// The same for several files with one office start, in their order; files must differ in name.
QStringList convertAll(const QStringList &files, const QString &filter, const QString &outputFolder);
QString readUtf8(const QString &path);
QByteArray fileDigest(const QString &path);
// Pages of a PDF by pdfinfo; -1 when it cannot tell.
int pdfPages(const QString &path);
// The text of a PDF by pdftotext; empty when it cannot tell.
QString pdfText(const QString &path);

// Processes started by an OfficeSession, recognised by the pipe name they accept on.
QList<qint64> sessionProcesses();
bool processAlive(qint64 pid);

// The default CUPS destination "PDF" on a CUPS-PDF queue, with a scheduler started here when
// none runs. Whatever this added is removed again on destruction.
class PdfPrintQueue
{
public:
    PdfPrintQueue();
    ~PdfPrintQueue();
    PdfPrintQueue(const PdfPrintQueue &) = delete;
    PdfPrintQueue &operator=(const PdfPrintQueue &) = delete;

    // Empty when ready, else why not.
    QString problem() const { return m_problem; }
    // PDFs CUPS-PDF wrote since this queue was made, each once whole; waits until `expected`
    // are there or waitMs passed. A rewritten file counts too: job numbers start again when
    // the scheduler's state is lost, and CUPS-PDF then writes over an older file of that name.
    QStringList printedFiles(int expected, int waitMs) const;
    // Jobs sent to the queue since it was made; a job is listed as soon as it is handed over.
    int jobsHandedOver() const;
    // Removes the files printedFiles found, which would otherwise stay in the user's folder.
    static void removeFiles(const QStringList &files);

private:
    QString outputFolder() const;

    QLockFile m_lock;
    QString m_problem;
    int m_jobsBefore = 0;
    QHash<QString, QDateTime> m_earlier;
    std::unique_ptr<QProcess> m_scheduler;
    bool m_addedQueue = false;
    // lpoptions -d writes the user's option file; it is put back as it was.
    QString m_optionsFile;
    std::optional<QByteArray> m_previousOptions;
};

} // namespace office::test
