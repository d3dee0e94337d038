#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <optional>

namespace sound {

struct WaveSound {
    QAudioFormat format;
    QByteArray samples;
    int milliseconds() const { return int(format.durationForBytes(samples.size()) / 1000); }
};

// The samples of a 16-bit PCM WAV file, as sox writes them; nothing for any other file.
std::optional<WaveSound> readWave(const QString &path);

} // namespace sound
