#include "sound/ScanSounds.h"

namespace sound {

namespace {

struct Seam {
    ScanSoundPlayer *player = nullptr;
    bool testMode = false;
    QList<ScanOutcome> played;
};

Seam &seam()
{
    static Seam instance;
    return instance;
}

} // namespace

ScanSoundPlayer::ScanSoundPlayer(const QString &folder, bool on, QObject *parent)
    : QObject(parent), stream_(new SoundStream(folder)), on_(on)
{
    stream_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, stream_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("scan sounds"));
    thread_.start();
    QMetaObject::invokeMethod(stream_, [stream = stream_] { stream->load(); });
    seam().player = this;
}

ScanSoundPlayer::~ScanSoundPlayer()
{
    if (seam().player == this)
        seam().player = nullptr;
    // The thread ends after the closed stream's sink has been deleted from its event loop.
    QMetaObject::invokeMethod(stream_, [stream = stream_] {
        stream->shut([stream] { QMetaObject::invokeMethod(stream, [] { QThread::currentThread()->quit(); }, Qt::QueuedConnection); });
    });
    thread_.wait();
}

void ScanSoundPlayer::open()
{
    opened_ = true;
    if (on_)
        QMetaObject::invokeMethod(stream_, [stream = stream_] { stream->open(); });
}

void ScanSoundPlayer::setOn(bool on)
{
    on_ = on;
    if (!on)
        QMetaObject::invokeMethod(stream_, [stream = stream_] { stream->shut(); });
    else if (opened_)
        open();
}

void ScanSoundPlayer::play(ScanOutcome outcome)
{
    opened_ = true;
    QMetaObject::invokeMethod(stream_, [stream = stream_, outcome] { stream->play(outcome); });
}

void ScanSounds::play(ScanOutcome outcome)
{
    ScanSoundPlayer *player = seam().player;
    if (!player || !player->isOn())
        return;
    if (seam().testMode)
        seam().played << outcome;
    else
        player->play(outcome);
}

void ScanSounds::open()
{
    if (ScanSoundPlayer *player = seam().player)
        player->open();
}

void ScanSounds::setTestMode(bool enabled) { seam().testMode = enabled; }

QList<ScanOutcome> ScanSounds::takePlayed()
{
    QList<ScanOutcome> played = seam().played;
    seam().played.clear();
    return played;
}

} // namespace sound
