#pragma once

namespace core {
class ExamSession;
}

namespace exams {

class AnalysisWindow;

// A double-click on a pupil of the shown test, or Enter on the pupil chosen with the keyboard,
// opens a small dialog that changes or clears that pupil's score after the teacher confirms; the
// window then shows the test anew.
void installScoreCorrection(AnalysisWindow &window, core::ExamSession &session);

} // namespace exams
