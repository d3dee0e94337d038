#include "office/OfficeProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace office {

QString installedVersion(const QString &soffice)
{
    // soffice lies in program/, the registry in share/registry/, on every platform.
    const QDir program = QFileInfo(soffice).canonicalPath();
    QFile registry(program.filePath(QStringLiteral("../share/registry/main.xcd")));
    if (!registry.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = registry.readAll();
    const QByteArray property = "<prop oor:name=\"ooSetupVersion\">";
    const qsizetype at = text.indexOf(property);
    if (at < 0)
        return {};
    static const QRegularExpression value(QStringLiteral("^\\s*<value>(\\d+\\.\\d+)</value>"));
    const auto match = value.match(QString::fromUtf8(text.mid(at + property.size(), 200)));
    return match.hasMatch() ? match.captured(1) : QString();
}

bool prepareProfile(const QString &profileFolder, const QString &soffice)
{
    const QString version = installedVersion(soffice);
    if (version.isEmpty())
        return false;
    if (!QDir(profileFolder).mkpath(QStringLiteral("user")))
        return false;
    QFile settings(profileFolder + QStringLiteral("/user/registrymodifications.xcu"));
    if (!settings.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const QByteArray text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
        "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" "
        "oor:op=\"fuse\"><value>"
        + version.toUtf8() + "</value></prop></item>\n</oor:items>\n";
    return settings.write(text) == text.size() && settings.flush();
}

} // namespace office
