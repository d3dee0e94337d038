#include "sound/ScanSounds.h"

#include <QAudioDevice>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <map>

namespace sound {

// Lives on the player's thread, with the effects it owns.
class SoundBank : public QObject {
public:
    explicit SoundBank(const QString &folder) : folder_(folder) {}

    void play(ScanOutcome outcome)
    {
        // A device plugged in after start-up is found on the next scan.
        if (QMediaDevices::defaultAudioOutput().isNull())
            return;
        if (effects_.empty())
            load();
        if (const auto found = effects_.find(outcome); found != effects_.end())
            found->second->play();
    }

    void load()
    {
        if (QMediaDevices::defaultAudioOutput().isNull())
            return;
        for (ScanOutcome outcome : kScanOutcomes) {
            const QString path = QDir(folder_).filePath(soundFileName(outcome));
            if (!QFileInfo::exists(path))
                continue;
            auto *effect = new QSoundEffect(this);
            effect->setSource(QUrl::fromLocalFile(path));
            effects_[outcome] = effect;
        }
    }

private:
    QString folder_;
    std::map<ScanOutcome, QSoundEffect *> effects_;
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
    // Decoding the files ahead keeps the first scan's sound as quick as the later ones.
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
