#include "sound/ScanSoundMenu.h"

#include "sound/ScanSounds.h"
#include "state/AppContext.h"
#include "ui/DatabaseGuard.h"
#include "ui/Form1Controls.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QSignalBlocker>
#include <QWidget>

void installScanSounds(const ui::MainWindowParts &parts)
{
    QWidget *window = &parts.window;
    core::AppContext &context = parts.context;
    bool on = true;
    ui::guarded(window, [&] { on = context.scanSoundsOn(); });
    auto *player = new sound::ScanSoundPlayer(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("sounds")),
                                              on, window);
    QAction *item = parts.controls.scanSounds;
    item->setCheckable(true);
    item->setChecked(on);
    item->setEnabled(true);
    QObject::connect(item, &QAction::toggled, window, [window, &context, item, player](bool wanted) {
        if (ui::guarded(window, [&] { context.setScanSoundsOn(wanted); })) {
            player->setOn(wanted);
            return;
        }
        // Not stored means not changed: the tick shows what the next start will do.
        const QSignalBlocker unchanged(item);
        item->setChecked(!wanted);
    });
}
