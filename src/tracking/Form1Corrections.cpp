// Putting a mis-scan right: the shown book's marks set by hand, and the last change taken back.
#include "app/Form1.h"

#include "store/HomeworkDb.h"
#include "store/TextValue.h"
#include "ui/MessagePresenter.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

void Form1::connectCorrections()
{
    connect(ui_.handedInSwitch, &QPushButton::toggled, this, [this](bool shown) {
        ui_.handedInSwitch->setText(shown ? QStringLiteral("查看未交") : QStringLiteral("查看已交"));
        if (!state_.CurrentBookDigits.isEmpty())
            显示(QStringLiteral("1"), state_.CurrentBookDigits);
        ui_.Text1->setFocus();
    });
    connect(ui_.List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { List1_DblClick(item->text()); });
    ui_.List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui_.List1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (const QListWidgetItem *item = ui_.List1->itemAt(at))
            markMenu(tracking::pupilOfListEntry(item->text()))->popup(ui_.List1->viewport()->mapToGlobal(at));
    });
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, [this] { undoLastChange(); });
}

bool Form1::recordsWritable()
{
    if (state_.DataCleared != 1)
        return true;
    ui::MessagePresenter::inform(this, QStringLiteral("数据已清空或已恢复，请先重启软件再扫描或更正！"));
    return false;
}

// Stored as a scan is, or memory goes back to what the file holds.
bool Form1::saveMark(int slot, int pupil, const QString &mark)
{
    const QString before = state_.MarkGrid[slot][pupil];
    state_.MarkGrid[slot][pupil] = mark;
    if (guarded([this] { db_->保存操作(state_); }))
        return true;
    state_.MarkGrid[slot][pupil] = before;
    return false;
}

bool Form1::correctMark(int pupil, const QString &mark)
{
    const int slot = store::integerValue(state_.CurrentBookDigits);
    const int roll = std::min(state_.ClassSizes[1], core::kPupils);
    if (slot < 1 || slot > core::kBooks || pupil < 1 || pupil > roll || !recordsWritable())
        return false;
    const QString before = state_.MarkGrid[slot][pupil];
    if (before == mark || !saveMark(slot, pupil, mark))
        return false;
    markHistory_.record({state_.CurrentDateKey, slot, pupil, before});
    显示(QStringLiteral("1"), state_.CurrentBookDigits);
    ui_.Text1->setFocus();
    return true;
}

void Form1::undoLastChange()
{
    if (state_.DataCleared == 1)
        return;
    const std::optional<tracking::MarkChange> change = markHistory_.takeLatest(state_.CurrentDateKey);
    if (!change)
        return;
    if (!saveMark(change->slot, change->pupil, change->before)) {
        markHistory_.record(*change);
        return;
    }
    显示(QStringLiteral("1"), store::twoDigits(change->slot));
    ui_.Text1->setFocus();
}

void Form1::List1_DblClick(const QString &entry)
{
    // From the missing list a pupil is marked as handed in; from the other list set back.
    correctMark(tracking::pupilOfListEntry(entry), ui_.handedInSwitch->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
}

QMenu *Form1::markMenu(int pupil)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("markMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<const char *, const char *> marks[] = {{"设为未交", "0"}, {"设为已交", "1"}, {"设为优秀", "2"}};
    for (const auto &[caption, mark] : marks) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setEnabled(state_.MarkGrid[store::integerValue(state_.CurrentBookDigits)][pupil] != QLatin1String(mark));
        connect(action, &QAction::triggered, this, [this, pupil, mark = QString::fromLatin1(mark)] { correctMark(pupil, mark); });
    }
    return menu;
}
