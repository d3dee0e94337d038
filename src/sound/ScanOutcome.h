#pragma once

#include <QString>

#include <array>

namespace sound {

// What one scan came to, as the teacher should hear it.
enum class ScanOutcome { Recorded, RecordedExcellent, AlreadyHandedIn, Refused, NoHomework };

inline constexpr std::array kScanOutcomes{ScanOutcome::Recorded, ScanOutcome::RecordedExcellent,
                                          ScanOutcome::AlreadyHandedIn, ScanOutcome::Refused,
                                          ScanOutcome::NoHomework};

// A stored scan by the pupil's mark before it and the mark it left.
ScanOutcome recordedOutcome(const QString &markBefore, const QString &markAfter);

// The outcome's file in the sound folder.
QString soundFileName(ScanOutcome outcome);

} // namespace sound
