#pragma once

#include "office/SpreadsheetAutomation.h"
#include "office/WordAutomation.h"

#include <QString>

#include <memory>

namespace office {

// The UNO code lives in a module beside the executable, loaded on the first office action, so
// that the program starts and scans on a machine without LibreOffice.

// soffice from PATH, else from the usual install folder; empty when neither exists.
QString defaultProgram();

// The folder searched for the module: the executable's own unless set (tests, benchmarks).
void setModuleFolder(const QString &folder);
QString modulePath();

// Each starts a private office with soffice. Throws OfficeError, worded for the teacher and
// naming LibreOffice and its packages, when the module, its libraries or soffice are missing.
std::unique_ptr<SpreadsheetAutomation> startSpreadsheet(const QString &soffice = defaultProgram());
std::unique_ptr<WordAutomation> startWord(const QString &soffice = defaultProgram());

// What the module offers; the version changes whenever these signatures do.
struct ModuleEntry
{
    int version;
    SpreadsheetAutomation *(*spreadsheet)(const QString &soffice);
    WordAutomation *(*word)(const QString &soffice);
};
inline constexpr int kModuleVersion = 2;
inline constexpr char kModuleEntryName[] = "homework_office_entry";
inline constexpr char kModuleFileName[] = "homework-office.so";

} // namespace office
