#include "sound/ScanOutcome.h"

namespace sound {

ScanOutcome recordedOutcome(const QString &markBefore, const QString &markAfter)
{
    // A book scanned twice is not an error, but the teacher should know it counted already.
    if (markBefore == QLatin1String("1") || markBefore == QLatin1String("2"))
        return ScanOutcome::AlreadyHandedIn;
    return markAfter == QLatin1String("2") ? ScanOutcome::RecordedExcellent : ScanOutcome::Recorded;
}

QString soundFileName(ScanOutcome outcome)
{
    switch (outcome) {
    case ScanOutcome::Recorded: return QStringLiteral("recorded.wav");
    case ScanOutcome::RecordedExcellent: return QStringLiteral("excellent.wav");
    case ScanOutcome::AlreadyHandedIn: return QStringLiteral("already-handed-in.wav");
    case ScanOutcome::Refused: return QStringLiteral("refused.wav");
    case ScanOutcome::NoHomework: return QStringLiteral("no-homework.wav");
    }
    return {};
}

} // namespace sound
