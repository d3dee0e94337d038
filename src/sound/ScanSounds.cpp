#include "sound/ScanSounds.h"

#include "sound/WaveFile.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

#include <map>

namespace sound {

// Lives on the player's thread, with the sounds and the audio streams it owns.
//
// Each sound gets a stream of its own that is closed only once the sound has played out:
// QSoundEffect closes its stream as soon as the last bytes are handed over, which drops what the
// audio server still holds, and a sound this short is then hardly heard.
class SoundBank : public QObject {
public:
    explicit SoundBank(const QString &folder) : folder_(folder) {}

    void load()
    {
        if (QMediaDevices::defaultAudioOutput().isNull())
            return;
        for (ScanOutcome outcome : kScanOutcomes)
            if (const std::optional<WaveSound> read = readWave(QDir(folder_).filePath(soundFileName(outcome))))
                sounds_[outcome] = *read;
    }

    void play(ScanOutcome outcome)
    {
        // A device plugged in after start-up is found on the next scan.
        const QAudioDevice speakers = QMediaDevices::defaultAudioOutput();
        if (speakers.isNull())
            return;
        if (sounds_.empty())
            load();
        const auto found = sounds_.find(outcome);
        if (found == sounds_.end())
            return;
        // A new scan's sound cuts the last one short.
        if (stream_)
            retire(stream_);
        stream_ = new QAudioSink(speakers, found->second.format, this);
        // Read from a device that knows its size, the stream starts without waiting for a full buffer.
        auto *samples = new QBuffer(stream_);
        samples->setData(found->second.samples);
        samples->open(QIODevice::ReadOnly);
        stream_->start(samples);
        QTimer::singleShot(found->second.milliseconds() + kPlayedOut, stream_, [stream = stream_.data()] { retire(stream); });
    }

private:
    static constexpr int kPlayedOut = 500; // ms the server may take beyond the sound's own length

    // Deleted from the event loop, never here: a stream's destructor runs pending events, and a
    // scan's sound among them would replace the stream while it is being deleted.
    static void retire(QAudioSink *stream)
    {
        stream->stop();
        stream->deleteLater();
    }

    QString folder_;
    std::map<ScanOutcome, WaveSound> sounds_;
    QPointer<QAudioSink> stream_;
};

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
    : QObject(parent), bank_(new SoundBank(folder)), on_(on)
{
    bank_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, bank_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("scan sounds"));
    thread_.start();
    // Reading the files ahead keeps the first scan's sound as quick as the later ones.
    QMetaObject::invokeMethod(bank_, [bank = bank_] { bank->load(); });
    seam().player = this;
}

ScanSoundPlayer::~ScanSoundPlayer()
{
    if (seam().player == this)
        seam().player = nullptr;
    thread_.quit();
    thread_.wait();
}

void ScanSoundPlayer::play(ScanOutcome outcome)
{
    QMetaObject::invokeMethod(bank_, [bank = bank_, outcome] { bank->play(outcome); });
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

void ScanSounds::setTestMode(bool enabled) { seam().testMode = enabled; }

QList<ScanOutcome> ScanSounds::takePlayed()
{
    QList<ScanOutcome> played = seam().played;
    seam().played.clear();
    return played;
}

} // namespace sound
