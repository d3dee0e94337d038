#include "office/OfficeEngine.h"

#include "office/OfficeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>

namespace office {

namespace {

QString &moduleFolder()
{
    static QString folder;
    return folder;
}

// Loaded once; the module stays for the run, as its UNO bridge does.
const ModuleEntry &entry()
{
    static const ModuleEntry *loaded = nullptr;
    if (loaded)
        return *loaded;
    const QString path = modulePath();
    if (!QFileInfo::exists(path))
        throw OfficeError(QStringLiteral("找不到本软件的 LibreOffice 办公组件 %1，本次操作没有改动任何文件。\n"
                                         "请重新安装本软件，并确认已安装 Debian 软件包 libreoffice-calc 和 libreoffice-writer。")
                              .arg(QDir::toNativeSeparators(path)));
    QLibrary library(path);
    if (!library.load())
        throw OfficeError(officeMissingMessage(library.errorString()));
    using EntryFunction = const ModuleEntry *(*)();
    const auto function = reinterpret_cast<EntryFunction>(library.resolve(kModuleEntryName));
    const ModuleEntry *candidate = function ? function() : nullptr;
    if (!candidate || candidate->version != kModuleVersion)
        throw OfficeError(QStringLiteral("办公组件 %1 与本程序的版本不符，请重新安装本软件。")
                              .arg(QDir::toNativeSeparators(path)));
    loaded = candidate;
    return *loaded;
}

void requireProgram(const QString &soffice)
{
    if (soffice.isEmpty() || !QFileInfo(soffice).isExecutable())
        throw OfficeError(officeMissingMessage(soffice.isEmpty() ? QStringLiteral("soffice") : soffice));
}

} // namespace

QString defaultProgram()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (!found.isEmpty())
        return found;
    const QString installed = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    return QFileInfo(installed).isExecutable() ? installed : QString();
}

void setModuleFolder(const QString &folder) { moduleFolder() = folder; }

QString modulePath()
{
    const QString folder = moduleFolder().isEmpty() ? QCoreApplication::applicationDirPath() : moduleFolder();
    return QDir(folder).filePath(QString::fromLatin1(kModuleFileName));
}

std::unique_ptr<SpreadsheetAutomation> startSpreadsheet(const QString &soffice)
{
    requireProgram(soffice);
    return std::unique_ptr<SpreadsheetAutomation>(entry().spreadsheet(soffice));
}

std::unique_ptr<WordAutomation> startWord(const QString &soffice)
{
    requireProgram(soffice);
    return std::unique_ptr<WordAutomation>(entry().word(soffice));
}

} // namespace office
