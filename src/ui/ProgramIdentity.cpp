#include "ui/ProgramIdentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace ui {

QString programName() { return QStringLiteral("作业完成情况条形码查找系统"); }

QString desktopEntryName() { return QStringLiteral("homework-tracker"); }

void setProgramIdentity()
{
    QIcon icon;
    // The sizes the build draws from the menu entry's icon (src/ui/CMakeLists.txt).
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/homework-tracker-%1.png").arg(size), QSize(size, size));
    QGuiApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(desktopEntryName());
}

} // namespace ui
