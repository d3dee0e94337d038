#include "sound/ScanSoundMenu.h"

#include "app/Form1.h"
#include "sound/ScanSoundSetting.h"
#include "sound/ScanSounds.h"
#include "store/HomeworkDb.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QSignalBlocker>

void installScanSounds(Form1 &form)
{
    bool on = true;
    form.guarded([&] { on = sound::loadScanSoundsOn(form.db().database()); });
    auto *player = new sound::ScanSoundPlayer(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("sounds")),
                                              on, &form);
    QAction *item = form.controls().scanSounds;
    item->setCheckable(true);
    item->setChecked(on);
    item->setEnabled(true);
    QObject::connect(item, &QAction::toggled, &form, [&form, item, player](bool wanted) {
        if (form.guarded([&] { sound::saveScanSoundsOn(form.db().database(), wanted); })) {
            player->setOn(wanted);
            return;
        }
        // Not stored means not changed: the tick shows what the next start will do.
        const QSignalBlocker unchanged(item);
        item->setChecked(!wanted);
    });
}
