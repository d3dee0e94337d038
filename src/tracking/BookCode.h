#pragma once

#include "state/Records.h"

#include <QString>

namespace tracking {

enum class CodeCheck { Accepted, WrongLength, WrongClass, WrongBook, WrongPupil, NoBookShown };

struct CheckedCode {
    CodeCheck check = CodeCheck::WrongLength;
    QString code; // the completed code
    int classNumber = 0;
    int slot = 0;
    int pupil = 0;
};

// Completes one or two typed digits with "1", the shown class's digit and the current book, then
// checks class, book and pupil in that order. The second class is accepted once it has pupils; a
// pupil outside the class is refused: nothing could store it. Blanks around the code and full-width
// digits, as input methods give them, read as the code.
CheckedCode checkBookCode(const QString &typed, const QString &currentBookDigits, int shownClass,
                          const core::MasterRecords &master);

// The message-panel text of a refused code.
QString codeMessage(CodeCheck check);

// The caption of a book of the current day of a class: the book name and its content.
QString 取得相应班级相应本子编号的作业本名称和内容(const core::DayState &day, const core::MasterRecords &master,
                                               const QString &classDigit, const QString &bookDigits);

enum class ExcellentPanel { Show, Hide, Keep };

// Marks pupil `pupil` of book `slot` handed in, or excellent while the book's phase is open.
ExcellentPanel recordScan(core::ClassDay &day, int slot, int pupil);

} // namespace tracking
