// Scan input on the main window, and putting a mis-scan right: thin adapters over the day owner.
#include "app/Form1.h"

#include "sound/ScanSounds.h"
#include "state/AppContext.h"
#include "state/WorkingDay.h"
#include "store/TextValue.h"
#include "ui/DatabaseGuard.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>

void Form1::Text1_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    const QString refused = showScanResult(context_->day().scan(ui_.Text1->text()));
    // A refused code stays in the box for the teacher to see; the next scan replaces it.
    if (refused.isEmpty())
        ui_.Text1->clear();
    else
        showMessagePanel(refused);
}

// A reader's stored scans pasted at once, one code per line, are each recorded in turn.
void Form1::scanPastedLines()
{
    const QString text = ui_.Text1->text();
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return;
    ui_.Text1->clear();
    QStringList refused;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("[\r\n]+")))) {
        if (line.trimmed().isEmpty())
            continue;
        const QString why = showScanResult(context_->day().scan(line));
        if (!why.isEmpty())
            refused << QStringLiteral("“%1”：%2").arg(line.trimmed(), why);
    }
    if (refused.size() == 1)
        showMessagePanel(refused.first());
    else if (!refused.isEmpty())
        showMessagePanel(refused.first() + QStringLiteral("\n（共%1行未能登记）").arg(refused.size()));
}

// Every scan is heard and the excellent panel follows it; gives the text to show when the scan was
// not recorded. It is shown on the message panel, never in a box that would swallow the next scan.
QString Form1::showScanResult(const core::ScanResult &result)
{
    if (result.sound)
        sound::ScanSounds::play(*result.sound);
    switch (result.kind) {
    case core::ScanResult::Kind::Recorded:
        if (result.panel == tracking::ExcellentPanel::Show)
            ui::showPanel(ui_.Frame12);
        else if (result.panel == tracking::ExcellentPanel::Hide)
            ui_.Frame12->hide();
        return {};
    case core::ScanResult::Kind::SaveFailed:
        return QStringLiteral("数据库操作失败，这次扫描没有登记：%1").arg(result.message);
    default:
        return result.message;
    }
}

void Form1::connectCorrections()
{
    connect(ui_.handedInSwitch, &QPushButton::toggled, this, [this](bool shown) {
        ui_.handedInSwitch->setText(shown ? QStringLiteral("查看未交") : QStringLiteral("查看已交"));
        if (!context_->day().state().CurrentBookDigits.isEmpty())
            显示();
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

bool Form1::correctMark(int pupil, const QString &mark)
{
    bool changed = false;
    ui::guarded(this, [&] { changed = context_->day().correctMark(pupil, mark); });
    if (changed)
        ui_.Text1->setFocus();
    return changed;
}

void Form1::undoLastChange()
{
    bool undone = false;
    ui::guarded(this, [&] { undone = context_->day().undo(); });
    if (undone)
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
    const core::DayState &day = context_->day().state();
    const std::pair<const char *, const char *> marks[] = {{"设为未交", "0"}, {"设为已交", "1"}, {"设为优秀", "2"}};
    for (const auto &[caption, mark] : marks) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setEnabled(day.shown().MarkGrid[store::integerValue(day.CurrentBookDigits)][pupil] != QLatin1String(mark));
        connect(action, &QAction::triggered, this, [this, pupil, mark = QString::fromLatin1(mark)] { correctMark(pupil, mark); });
    }
    return menu;
}
