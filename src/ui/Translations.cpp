#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool loadChineseTranslations(QCoreApplication &application, const QString &folder)
{
    auto *translator = new QTranslator(&application);
    // qt_zh_CN names the catalogues of every Qt module, qtbase_zh_CN among them.
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                         folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder)
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace ui
