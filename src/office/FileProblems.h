#pragma once

#include <QString>

namespace office {

// Texts for the teacher that name a file and say what to do; shared by the checks before an
// office action and by the office engine itself.

QString shownPath(const QString &path);
QString missingFileText(const QString &path);
QString folderNotFileText(const QString &path);
// Why path could not be written: its folder missing or read-only, the disk full, or else the
// detail, which follows in brackets.
QString notWrittenText(const QString &path, const QString &detail);

} // namespace office
