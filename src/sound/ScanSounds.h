#pragma once

#include "sound/ScanOutcome.h"

#include <QList>
#include <QObject>
#include <QThread>

namespace sound {

class SoundBank;

// Plays the sounds of one folder on a thread of its own: the audio server may take a millisecond
// or hang, and the scan must not wait for it. Without an audio device it stays silent.
class ScanSoundPlayer : public QObject {
public:
    ScanSoundPlayer(const QString &folder, bool on, QObject *parent);
    ~ScanSoundPlayer() override;

    void setOn(bool on) { on_ = on; }
    bool isOn() const { return on_; }
    // Returns at once.
    void play(ScanOutcome outcome);

private:
    QThread thread_;
    SoundBank *bank_ = nullptr;
    bool on_ = true;
};

// Every scan's sound passes here, to the player of the running main window, so tests can read
// which sound a scan chose.
class ScanSounds {
public:
    static void play(ScanOutcome outcome);

    // Test seam: nothing is played; what the player would play, sounds on, is recorded.
    static void setTestMode(bool enabled);
    static QList<ScanOutcome> takePlayed();
};

} // namespace sound
