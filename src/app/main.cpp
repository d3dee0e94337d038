#include "app/Form1.h"
#include "app/ProgramFolder.h"
#include "store/DateKey.h"
#include "store/Database.h"
#include "store/ProgramLock.h"
#include "ui/MessagePresenter.h"
#include "ui/ProgramIdentity.h"
#include "ui/Translations.h"
#include "ui/WindowPlacement.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("homework-tracker"));
    // Before the first message box: finding the program folder may already need one.
    ui::loadChineseTranslations(application);
    ui::setProgramIdentity();
    const QString folder = app::programFolderOfRun(QCoreApplication::applicationDirPath());
    if (folder.isEmpty())
        return 1;
    ui::fitLayoutToPrimaryScreen();
    // Every window, once its frame is known, is moved or shrunk into the screen's free area.
    ui::keepWindowsOnScreen();
    store::Clock clock;
    try {
        Form1 window(folder, clock);
        if (window.declinedAtStart())
            return 0;
        return QApplication::exec();
    } catch (const store::ProgramFolderInUse &) {
        ui::MessagePresenter::inform(nullptr, QStringLiteral("程序已在运行，请勿重复打开！"));
        return 1;
    } catch (const store::DatabaseOpenError &error) {
        // Complete: the file, what is wrong, what to do, and that nothing was changed.
        ui::MessagePresenter::inform(nullptr, error.message());
        return 1;
    }
}
