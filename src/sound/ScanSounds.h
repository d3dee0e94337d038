#pragma once

#include "sound/ScanOutcome.h"
#include "sound/SoundStream.h"

#include <QList>
#include <QObject>
#include <QThread>

namespace sound {

// Plays the sounds of one folder through one audio stream on a thread of its own: the audio
// server may take a millisecond or hang, and the scan must not wait for it. Without an audio
// device it stays silent.
class ScanSoundPlayer : public QObject {
public:
    ScanSoundPlayer(const QString &folder, bool on, QObject *parent);
    // Fades out a sound still playing before the stream closes.
    ~ScanSoundPlayer() override;

    // Opens the stream once the window shows, so that the first scan's sound starts as quickly
    // as the later ones; a sound played before opens it itself.
    void open();
    // Off closes the stream; on again reopens it, if it was open.
    void setOn(bool on);
    bool isOn() const { return on_; }
    // Returns at once.
    void play(ScanOutcome outcome);

    StreamLog streamLog() const { return stream_->log(); }

private:
    QThread thread_;
    SoundStream *stream_ = nullptr;
    bool on_ = true;
    bool opened_ = false;
};

// Every scan's sound passes here, to the player of the running main window, so tests can read
// which sound a scan chose.
class ScanSounds {
public:
    static void play(ScanOutcome outcome);
    // The running window's player opens its stream.
    static void open();

    // Test seam: nothing is played; what the player would play, sounds on, is recorded.
    static void setTestMode(bool enabled);
    static QList<ScanOutcome> takePlayed();
};

} // namespace sound
