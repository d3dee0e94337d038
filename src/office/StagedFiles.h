#pragma once

#include "office/FileFormat.h"

#include <QList>
#include <QString>

namespace office {

// The new versions of the files of one export, each written first to a file of its own beside its
// target and put in place only when all of them are whole, so that the teacher keeps either the
// old files or the new ones, never a mixture and never a file cut short.
class StagedFiles
{
public:
    StagedFiles() = default;
    // Removes whatever was staged and not committed.
    ~StagedFiles();
    StagedFiles(const StagedFiles &) = delete;
    StagedFiles &operator=(const StagedFiles &) = delete;

    // An empty file beside target for the office to store the new version in, in format.
    // Throws OfficeError when the folder is missing or takes no file.
    QString stage(const QString &target, OfficeFormat format);

    // Checks every staged file (a whole file of its format, flushed to the disk), gives it the
    // mode of the file it replaces (0600 when there is none) and renames it over its target. If a
    // rename fails, the targets renamed before get their old files back. Throws OfficeError,
    // worded for the teacher; then every target is as it was.
    void commit();

private:
    struct File
    {
        QString target;
        QString staged;
        OfficeFormat format;
    };
    QList<File> files_;
};

} // namespace office
