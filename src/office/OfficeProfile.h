#pragma once

#include <QString>

namespace office {

// The version of the LibreOffice installation soffice belongs to ("7.4"), read from its own
// registry; empty when it cannot be found there.
QString installedVersion(const QString &soffice);

// Prepares a new, empty LibreOffice profile folder so that the office starts as one that has
// been started before: the first start after an installation runs a graphics self-test that
// takes seconds, and a headless office never records that it has run it. Best effort: without
// this the office still starts, only slower. False when the profile could not be prepared.
bool prepareProfile(const QString &profileFolder, const QString &soffice);

} // namespace office
