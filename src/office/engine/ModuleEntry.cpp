#include "office/OfficeEngine.h"
#include "office/engine/UnoEngines.h"

namespace {

const office::ModuleEntry entry{
    office::kModuleVersion,
    [](const QString &soffice) -> office::SpreadsheetAutomation * { return new office::UnoSpreadsheet(soffice); },
    [](const QString &soffice) -> office::WordAutomation * { return new office::UnoWord(soffice); },
};

} // namespace

extern "C" __attribute__((visibility("default"))) const office::ModuleEntry *homework_office_entry()
{
    return &entry;
}
