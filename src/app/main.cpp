#include "app/Form1.h"
#include "app/ProgramFolder.h"
#include "store/DateKey.h"
#include "store/ProgramLock.h"
#include "store/HomeworkDb.h"
#include "ui/MessagePresenter.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("homework-tracker"));
    const QString folder = app::programFolderOfRun(QCoreApplication::applicationDirPath());
    if (folder.isEmpty())
        return 1;
    ui::fitLayoutToPrimaryScreen();
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
        ui::MessagePresenter::inform(nullptr, QStringLiteral("无法打开数据库文件“%1”：%2\n程序已停止，该文件未被改动。")
                                                  .arg(QDir::toNativeSeparators(store::HomeworkDb::filePath(folder)),
                                                       error.message()));
        return 1;
    }
}
