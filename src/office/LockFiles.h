#pragma once

#include <QString>
#include <QStringList>

namespace office {

// The lock files an office leaves beside a document it has open: LibreOffice's ".~lock.<name>#"
// and Microsoft Office's "~$<name>", those present.
QStringList lockFilesOf(const QString &document);

// The document a LibreOffice lock file stands for; empty for any other file.
QString documentOfLock(const QString &lock);

// A lock counts as stale only when it is LibreOffice's, names this computer as its host, and no
// process here has the document or the lock open: LibreOffice keeps a document it edits open, and
// an office process of another user, whose open files cannot be seen, counts as holding it.
// Anything else may be held by someone out of sight and counts as held.
bool lockIsStale(const QString &lock);

} // namespace office
