#include "admin/RestoreWindow.h"

#include "state/AppContext.h"
#include "store/Backups.h"
#include "store/DateKey.h"
#include "store/Database.h"
#include "ui/DatabaseGuard.h"
#include "ui/KeyboardAccess.h"
#include "ui/MessagePresenter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace admin {

RestoreWindow::RestoreWindow(QWidget &mainWindow, core::AppContext &context)
    : QWidget(&mainWindow, Qt::Window), context_(context)
{
    setObjectName(QStringLiteral("RestoreWindow"));
    setWindowTitle(QStringLiteral("数据恢复"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(QStringLiteral("选择一份备份恢复。恢复前会先备份当前的数据，恢复后需要重启软件。"), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    copies = new QTableWidget(0, 4, this);
    copies->setObjectName(QStringLiteral("copies"));
    copies->setAccessibleName(QStringLiteral("备份列表"));
    copies->setHorizontalHeaderLabels(
        {QStringLiteral("备份日期"), QStringLiteral("原因"), QStringLiteral("上课天数"), QStringLiteral("最后一天")});
    copies->setSelectionBehavior(QAbstractItemView::SelectRows);
    copies->setSelectionMode(QAbstractItemView::SingleSelection);
    copies->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows choose a copy and Enter restores it; Tab leaves the list for the buttons.
    copies->setTabKeyNavigation(false);
    copies->verticalHeader()->hide();
    copies->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(copies);
    auto *buttons = new QHBoxLayout;
    restoreButton = new QPushButton(QStringLiteral("恢复所选备份"), this);
    restoreButton->setObjectName(QStringLiteral("restoreButton"));
    closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    buttons->addStretch();
    buttons->addWidget(restoreButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    resize(560, 360);
    connect(restoreButton, &QPushButton::clicked, this, [this] { restoreChosen(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(copies, &QTableWidget::cellDoubleClicked, this, [this] { restoreChosen(); });
    auto *enter = new QShortcut(copies);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setContext(Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, [this] { restoreChosen(); });
    ui::pressFocusedButtonsWithEnter(this);
    connect(copies, &QTableWidget::currentCellChanged, this, [this](int row) { showDetails(row); });
    refresh();
    copies->setFocus();
}

void RestoreWindow::refresh()
{
    const QList<store::BackupInfo> found = store::Backups(context_.programFolder()).list();
    copies->setRowCount(int(found.size()));
    paths_.clear();
    for (int row = 0; row < found.size(); ++row) {
        const store::BackupInfo &copy = found[row];
        // The date of the name: a copied folder gives every file the day of the copying.
        const QString reason = copy.copy > 1 ? QStringLiteral("%1(%2)").arg(copy.reason).arg(copy.copy) : copy.reason;
        const QStringList cells{copy.date.toString(Qt::ISODate), reason, QString(), QString()};
        for (int column = 0; column < cells.size(); ++column)
            copies->setItem(row, column, new QTableWidgetItem(cells[column]));
        paths_ << copy.path;
    }
    if (!found.isEmpty())
        copies->selectRow(0);
    restoreButton->setEnabled(!found.isEmpty());
}

// Reading a copy derives its key: only the chosen copy is read, once.
void RestoreWindow::showDetails(int row)
{
    if (row < 0 || row >= paths_.size() || !copies->item(row, 2)->text().isEmpty())
        return;
    try {
        const store::BackupDetails details = store::Backups::details(paths_[row]);
        copies->item(row, 2)->setText(QString::number(details.schoolDays));
        copies->item(row, 3)->setText(details.lastDay.isEmpty() ? QString() : store::displayedDate(details.lastDay));
    } catch (const store::DatabaseError &) {
        copies->item(row, 2)->setText(QStringLiteral("无法读取"));
    }
}

bool RestoreWindow::restoreChosen()
{
    const int row = copies->currentRow();
    if (row < 0 || row >= paths_.size())
        return false;
    const QString path = paths_[row];
    try {
        store::Backups::inspect(path);
    } catch (const store::DatabaseError &error) {
        ui::MessagePresenter::inform(this, error.message() + QStringLiteral("\n当前数据没有改动。"));
        return false;
    }
    const QString question = QStringLiteral("用 %1 的备份（%2）替换现在的全部数据吗？\n现在的数据会先另存一份备份。")
                                 .arg(copies->item(row, 0)->text(), copies->item(row, 1)->text());
    if (ui::MessagePresenter::ask(this, question) != ui::MessagePresenter::Answer::Ok)
        return false;
    if (!ui::backUpBefore(this, context_, store::BackupReason::BeforeRestore))
        return false;
    if (!ui::guarded(this, [&] { context_.restore(path); }))
        return false;
    close();
    return true;
}

} // namespace admin
