#include "sound/SoundStream.h"

#include <QAudioSink>
#include <QDir>
#include <QMediaDevices>
#include <QMutexLocker>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace sound {

namespace {

// How far the stream is fed ahead of the server: how late a new sound may start when it cuts
// another, and how long the feeding thread may be kept from running before a sound breaks up.
constexpr int kAheadMs = 50;
// A sound cut short fades out over this long.
constexpr int kFadeMs = 10;
// Within a run of scans the stream stays ready; after a pause this long it is corked, so the
// server can let the output rest.
constexpr int kRestAfterMs = 3000;

} // namespace

SoundStream::SoundStream(const QString &folder) : folder_(folder)
{
    feedTimer_.setParent(this);
    feedTimer_.setTimerType(Qt::PreciseTimer);
    connect(&feedTimer_, &QTimer::timeout, this, [this] { feed(); });
    settleTimer_.setParent(this);
    settleTimer_.setSingleShot(true);
    connect(&settleTimer_, &QTimer::timeout, this, [this] { settle(); });
}

void SoundStream::load()
{
    for (ScanOutcome outcome : kScanOutcomes) {
        const QString path = QDir(folder_).filePath(soundFileName(outcome));
        std::optional<WaveSound> read = readWave(path);
        if (!read)
            continue;
        if (sounds_.empty())
            format_ = read->format;
        // One stream plays every sound, so all share its format.
        if (read->format != format_) {
            qWarning("Scan sound %s left out: its format differs from the other sounds'", qPrintable(path));
            continue;
        }
        sounds_[outcome] = std::move(*read);
    }
}

void SoundStream::open()
{
    wanted_ = true;
    if (!devices_) {
        devices_ = new QMediaDevices(this);
        connect(devices_, &QMediaDevices::audioOutputsChanged, this, [this] { followDefaultOutput(); });
    }
    if (!sink_ && !closing_)
        start();
}

void SoundStream::shut(const std::function<void()> &closed)
{
    wanted_ = false;
    deferred_.reset();
    if (closed)
        whenClosed_ = closed;
    closeQuietly();
}

void SoundStream::play(ScanOutcome outcome)
{
    if (!closing_) {
        open();
        // Qt does not tell every change of the outputs, nor a stream the server dropped: the
        // stream moves to the default output before it plays, and the sound waits for it.
        if (sink_ && (sink_->state() == QAudio::StoppedState || !onDefaultOutput()))
            closeQuietly();
    }
    if (closing_) {
        if (wanted_)
            deferred_ = outcome;
        return;
    }
    const auto found = sounds_.find(outcome);
    if (!sink_ || found == sounds_.end())
        return;
    replaceQueued(found->second.samples);
    updateLog([outcome](StreamLog &log) {
        ++log.soundsFed;
        log.lastFed = outcome;
    });
}

StreamLog SoundStream::log() const
{
    const QMutexLocker locked(&logLock_);
    return log_;
}

void SoundStream::start()
{
    const QAudioDevice speakers = QMediaDevices::defaultAudioOutput();
    if (speakers.isNull() || sounds_.empty() || !speakers.isFormatSupported(format_))
        return;
    // Without a parent: a sink is only ever deleted from the event loop (see stopStream).
    auto *sink = new QAudioSink(speakers, format_);
    sink->setBufferSize(format_.bytesForDuration(kAheadMs * 1000));
    QIODevice *output = sink->start();
    if (!output) {
        sink->deleteLater();
        return;
    }
    sink_ = sink;
    output_ = output;
    device_ = speakers;
    feedTimer_.setInterval(std::max(5, bufferedMs() / 4));
    settleTimer_.start(kRestAfterMs);
    updateLog([](StreamLog &log) {
        ++log.streamsOpened;
        log.open = true;
    });
}

void SoundStream::followDefaultOutput()
{
    if (!wanted_ || closing_)
        return;
    if (!sink_)
        start();
    else if (!onDefaultOutput())
        closeQuietly(); // and reopened on the new default once closed
}

void SoundStream::closeQuietly()
{
    if (closing_)
        return;
    closing_ = true;
    if (!sink_ || sink_->state() == QAudio::SuspendedState || playedOut()) {
        finishClosing();
        return;
    }
    // Timed from here, not from the feeding: a server that stops taking samples must not keep
    // the stream, or the program's end, waiting.
    settleTimer_.start(kFadeMs + 3 * bufferedMs());
    replaceQueued({});
}

void SoundStream::finishClosing()
{
    stopStream();
    closing_ = false;
    if (wanted_) {
        start();
        if (const std::optional<ScanOutcome> outcome = std::exchange(deferred_, std::nullopt))
            play(*outcome);
    }
    if (const std::function<void()> closed = std::exchange(whenClosed_, {}))
        closed();
}

void SoundStream::stopStream()
{
    feedTimer_.stop();
    settleTimer_.stop();
    queued_.clear();
    written_ = 0;
    if (!sink_)
        return;
    sink_->stop();
    // Deleted from the event loop, never here: a sink's destructor runs pending events, and a
    // scan's sound among them would open a stream while this one is half deleted. Nor with this
    // object, whose deletion could come among those events.
    sink_->deleteLater();
    sink_ = nullptr;
    output_ = nullptr;
    device_ = {};
    updateLog([](StreamLog &log) { log.open = false; });
}

void SoundStream::replaceQueued(const QByteArray &sound)
{
    // What the server holds plays out; of the rest only a short fade, then the new sound. The
    // silence after it lets the server start a sound shorter than its buffer and play it out;
    // then the stream runs dry and waits, silent, for the next sound.
    queued_ = fadedHead() + sound + QByteArray(format_.bytesForDuration(bufferedMs() * 1000), '\0');
    written_ = 0;
    if (!closing_)
        settleTimer_.stop();
    if (sink_->state() == QAudio::SuspendedState)
        sink_->resume();
    feed();
}

// The next few milliseconds of what is queued, faded to zero along half a cosine, which meets
// the silence after it without a kink.
QByteArray SoundStream::fadedHead() const
{
    const int frameBytes = format_.bytesPerFrame();
    const qsizetype frames = std::min<qsizetype>(format_.framesForDuration(kFadeMs * 1000), (queued_.size() - written_) / frameBytes);
    QByteArray head = queued_.mid(written_, frames * frameBytes);
    auto *samples = reinterpret_cast<qint16 *>(head.data());
    const int channels = format_.channelCount();
    for (qsizetype frame = 0; frame < frames; ++frame) {
        const double gain = 0.5 * (1 + std::cos(std::numbers::pi * double(frame + 1) / double(frames)));
        for (int channel = 0; channel < channels; ++channel) {
            qint16 &sample = samples[frame * channels + channel];
            sample = qint16(std::lround(sample * gain));
        }
    }
    return head;
}

void SoundStream::feed()
{
    const int frameBytes = format_.bytesPerFrame();
    const qsizetype count = std::min(sink_->bytesFree() / frameBytes * frameBytes, queued_.size() - written_);
    const qint64 handed = count > 0 ? output_->write(queued_.constData() + written_, count) : 0;
    // A server that went away stops the sink; the next sound opens a new stream.
    if (handed < 0 || sink_->state() == QAudio::StoppedState) {
        closing_ ? finishClosing() : stopStream();
        return;
    }
    // A stream whose output is gone takes no samples: it is closed, not fed forever.
    if (!closing_ && !onDefaultOutput()) {
        closeQuietly();
        return;
    }
    written_ += handed;
    if (written_ < queued_.size()) {
        if (!feedTimer_.isActive())
            feedTimer_.start();
        return;
    }
    feedTimer_.stop();
    queued_.clear();
    written_ = 0;
    handedOver_.start();
    if (!closing_)
        settleTimer_.start(kRestAfterMs);
}

void SoundStream::settle()
{
    if (closing_)
        finishClosing();
    else
        sink_->suspend();
}

bool SoundStream::onDefaultOutput() const { return QMediaDevices::defaultAudioOutput() == device_; }

bool SoundStream::playedOut() const
{
    return queued_.isEmpty() && (!handedOver_.isValid() || handedOver_.hasExpired(2 * bufferedMs()));
}

int SoundStream::bufferedMs() const { return int(format_.durationForBytes(sink_->bufferSize()) / 1000); }

void SoundStream::updateLog(const std::function<void(StreamLog &)> &change)
{
    const QMutexLocker locked(&logLock_);
    change(log_);
}

} // namespace sound
