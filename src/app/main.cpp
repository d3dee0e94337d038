#include "app/Form1.h"
#include "store/HomeworkDb.h"
#include "ui/MessagePresenter.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ui::fitLayoutToPrimaryScreen();
    const QString folder = QCoreApplication::applicationDirPath();
    store::Clock clock;
    try {
        Form1 window(folder, clock);
        return QApplication::exec();
    } catch (const store::DatabaseOpenError &error) {
        ui::MessagePresenter::inform(nullptr, QStringLiteral("无法打开数据库文件“%1”：%2\n程序已停止，该文件未被改动。")
                                                  .arg(QDir::toNativeSeparators(store::HomeworkDb::filePath(folder)),
                                                       error.message()));
        return 1;
    }
}
