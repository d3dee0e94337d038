// Scan input on the main window: the code box, the message panel and the recording of a scan.
#include "app/Form1.h"

#include "sound/ScanSounds.h"
#include "store/HomeworkDb.h"
#include "tracking/BookCode.h"
#include "store/TextValue.h"
#include "tracking/DayRecords.h"
#include "ui/MessagePresenter.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>

void Form1::Text1_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    const tracking::CheckedCode checked =
        tracking::checkBookCode(ui_.Text1->text(), state_.CurrentBookDigits, state_.ClassSizes[1]);
    if (checked.check != tracking::CodeCheck::Accepted) {
        sound::ScanSounds::play(sound::ScanOutcome::Refused);
        showMessagePanel(tracking::codeMessage(checked.check));
        return;
    }
    state_.CurrentCode = checked.code;
    自动输入();
    ui_.Text1->clear();
}

void Form1::自动输入()
{
    const QString &code = state_.CurrentCode;
    const int slot = tracking::取得记录表中的顺序号(code.mid(1, 3));
    state_.CurrentSlot = slot;
    const int pupil = store::integerValue(code.right(2));
    if (!recordsWritable()) {
        sound::ScanSounds::play(sound::ScanOutcome::Refused);
        return;
    }
    if (state_.HomeworkContent[slot].isEmpty()) {
        sound::ScanSounds::play(sound::ScanOutcome::NoHomework);
        ui::MessagePresenter::inform(this, QStringLiteral("请选择相应的作业才可输入！"));
        return;
    }

    const QString markBefore = state_.MarkGrid[slot][pupil];
    const int flagBefore = state_.ExcellentClosed[slot];
    const tracking::ExcellentPanel panel = tracking::recordScan(state_, slot, pupil);
    // The scan is shown only once it is stored; a failed save leaves memory as the file has it.
    if (!guarded([this] { db_->保存操作(state_); })) {
        state_.MarkGrid[slot][pupil] = markBefore;
        state_.ExcellentClosed[slot] = flagBefore;
        return;
    }
    sound::ScanSounds::play(sound::recordedOutcome(markBefore, state_.MarkGrid[slot][pupil]));
    if (panel == tracking::ExcellentPanel::Show) {
        ui::showPanel(ui_.Frame12);
    } else if (panel == tracking::ExcellentPanel::Hide) {
        ui_.Frame12->hide();
    }
    if (state_.MarkGrid[slot][pupil] != markBefore)
        markHistory_.record({state_.CurrentDateKey, slot, pupil, markBefore});
    ui_.List1->clear();
    显示(code.mid(1, 1), code.mid(2, 2));
}
