#pragma once

#include <QString>

class QCoreApplication;

namespace ui {

// Qt's own texts (the buttons of the message boxes, the print and file dialogs) in Chinese
// whatever the locale, since the program speaks Chinese only: Qt's zh_CN translations from
// `folder`, by default Qt's own (Debian's qt6-translations-l10n). False when they are missing;
// the message boxes then name their buttons themselves.
bool loadChineseTranslations(QCoreApplication &application, const QString &folder = {});

} // namespace ui
