#include "sound/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace sound {

namespace {

template <typename T> T littleEndian(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace

std::optional<WaveSound> readWave(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return {};
    WaveSound sound;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray chunk = bytes.mid(at, 4);
        const quint32 size = littleEndian<quint32>(bytes, at + 4);
        const QByteArray body = bytes.mid(at + 8, size);
        if (chunk == "fmt " && body.size() >= 16) {
            const bool pcm16 = littleEndian<quint16>(body, 0) == 1 && littleEndian<quint16>(body, 14) == 16;
            if (!pcm16)
                return {};
            sound.format.setChannelCount(littleEndian<quint16>(body, 2));
            sound.format.setSampleRate(int(littleEndian<quint32>(body, 4)));
            sound.format.setSampleFormat(QAudioFormat::Int16);
        } else if (chunk == "data") {
            sound.samples = body;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    if (!sound.format.isValid() || sound.samples.isEmpty())
        return {};
    return sound;
}

} // namespace sound
