#pragma once

#include "sound/ScanOutcome.h"
#include "sound/WaveFile.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>

class QAudioSink;
class QIODevice;
class QMediaDevices;

namespace sound {

// What the output stream has done so far, readable from any thread.
struct StreamLog {
    int streamsOpened = 0;
    bool open = false;
    int soundsFed = 0;
    std::optional<ScanOutcome> lastFed;
};

// The one audio output of a run, on the player's thread. A stream opened and closed per sound
// costs the server a new stream each scan, and its close clicks; this one stays open, silent
// between sounds and corked after a pause, and is fed a little ahead of the server so that a new
// sound can cut the last one short with a fade. It follows the default output and stays silent
// without one.
class SoundStream : public QObject {
public:
    explicit SoundStream(const QString &folder);

    // Reads the sounds; one that differs in format from the first is left out.
    void load();
    void open();
    // Fades out what is playing, then stops the stream; `closed` runs once it is stopped.
    void shut(const std::function<void()> &closed = {});
    // A new sound replaces the one playing. Opens the stream when open() was not called.
    void play(ScanOutcome outcome);

    StreamLog log() const;

private:
    void start();
    void followDefaultOutput();
    void closeQuietly();
    void finishClosing();
    void stopStream();
    void replaceQueued(const QByteArray &sound);
    QByteArray fadedHead() const;
    void feed();
    bool onDefaultOutput() const;
    bool playedOut() const;
    void settle();
    int bufferedMs() const;
    void updateLog(const std::function<void(StreamLog &)> &change);

    QString folder_;
    std::map<ScanOutcome, WaveSound> sounds_;
    QAudioFormat format_;

    QMediaDevices *devices_ = nullptr;
    QAudioDevice device_;
    QAudioSink *sink_ = nullptr;
    QIODevice *output_ = nullptr;

    // The samples still to hand over: the rest of the sound, then silence.
    QByteArray queued_;
    qsizetype written_ = 0;
    QTimer feedTimer_;
    QElapsedTimer handedOver_; // since the last samples were handed to the server
    // Stops a closing stream once the server has played its fade; corks an open one after a pause.
    QTimer settleTimer_;

    bool wanted_ = false;
    bool closing_ = false;
    std::function<void()> whenClosed_;
    std::optional<ScanOutcome> deferred_; // played once the stream has moved to another output

    mutable QMutex logLock_;
    StreamLog log_;
};

} // namespace sound
