#include "admin/AdminWindows.h"

#include "admin/AdminStore.h"
#include "admin/Form8.h"
#include "admin/Form9.h"
#include "admin/OfficePupilListReader.h"
#include "admin/PupilImport.h"
#include "admin/RestoreWindow.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/RunState.h"
#include "ui/DatabaseGuard.h"
#include "ui/Form1Controls.h"
#include "ui/MessagePresenter.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace {

// The protected functions of the settings menu and the master-data panels; lives as long as the
// main window, whose child it is.
class AdminFunctions : public QObject {
public:
    AdminFunctions(const ui::MainWindowParts &parts, AdminHooks hooks);
    // The windows call back into this object, so they go with it.
    ~AdminFunctions() override
    {
        delete form8_;
        delete form9_;
    }

    void requestFunction(int code);
    void mmsd_Click();
    void carryOut(int code);
    void 数据清空();
    void openRestore();
    void openClassNames();
    void openBookNames();
    void openPupilImport();
    void openSubjectLinks();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click(int index);
    void Command1_Click();
    void Command17_Click();

private:
    void showRestartNotice();
    void granted();
    const core::MasterRecords &master() const { return context_.master().records(); }

    QWidget &window_;
    ui::Form1Controls &ui_;
    core::AppContext &context_;
    AdminHooks hooks_;
    QPointer<admin::Form8> form8_;
    QPointer<admin::Form9> form9_;
    // The protected function the login was asked for.
    int AdminFunction = 0;
    int ListedBookCount = 0;
};

AdminFunctions::AdminFunctions(const ui::MainWindowParts &parts, AdminHooks hooks)
    : QObject(&parts.window), window_(parts.window), ui_(parts.controls), context_(parts.context),
      hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("AdminFunctions"));
    const std::pair<QAction *, int> protectedItems[] = {{ui_.bjsz, 1}, {ui_.csmddr, 2}, {ui_.jczydr, 3}, {ui_.sjqk, 4},
                                                        {ui_.zysz, 6},  {ui_.xsmd, 7},   {ui_.xksz, 8}, {ui_.sjhf, 9}};
    for (const auto &[item, code] : protectedItems)
        connect(item, &QAction::triggered, this, [this, code = code] { requestFunction(code); });
    for (QAction *item : {ui_.bjsz, ui_.zysz, ui_.xsmd, ui_.xksz, ui_.sjqk, ui_.sjhf, ui_.mmsd})
        item->setEnabled(true);
    ui_.csmddr->setEnabled(bool(hooks_.importSubjectNames));
    ui_.jczydr->setEnabled(bool(hooks_.openTestNumbering));
    connect(ui_.mmsd, &QAction::triggered, this, [this] { mmsd_Click(); });

    connect(ui_.Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(ui_.Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    for (int index = 0; index < 2; ++index)
        connect(ui_.Command10[index], &QPushButton::clicked, this, [this, index] { Command10_Click(index); });
    connect(ui_.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(ui_.Command17, &QPushButton::clicked, this, [this] { Command17_Click(); });
}

void AdminFunctions::requestFunction(int code)
{
    AdminFunction = code;
    if (!form8_)
        form8_ = new admin::Form8(window_, context_.master(), [this] { granted(); });
    form8_->show();
    form8_->raise();
    form8_->activateWindow();
    form8_->Text2->setFocus();
}

void AdminFunctions::granted()
{
    // Unloaded, so that the next login starts with an empty box and a fresh mask.
    admin::Form8 *login = form8_;
    form8_.clear();
    login->close();
    carryOut(AdminFunction);
}

void AdminFunctions::mmsd_Click()
{
    if (!form9_)
        form9_ = new admin::Form9(window_, context_.master());
    form9_->show();
    form9_->raise();
    form9_->activateWindow();
}

void AdminFunctions::carryOut(int code)
{
    switch (code) {
    case 1:
        openClassNames();
        break;
    case 2:
        if (hooks_.importSubjectNames)
            hooks_.importSubjectNames();
        break;
    case 3:
        if (hooks_.openTestNumbering)
            hooks_.openTestNumbering();
        break;
    case 4:
        数据清空();
        break;
    case 6:
        openBookNames();
        break;
    case 7:
        openPupilImport();
        break;
    case 8:
        openSubjectLinks();
        break;
    case 9:
        openRestore();
        break;
    default:
        break;
    }
}

void AdminFunctions::openRestore()
{
    auto *window = new admin::RestoreWindow(window_, context_);
    window->show();
    window->raise();
    window->activateWindow();
}

void AdminFunctions::数据清空()
{
    if (ui::backUpBefore(&window_, context_, store::BackupReason::BeforeClearing))
        ui::guarded(&window_, [this] { context_.clearRecords(); });
}

void AdminFunctions::showRestartNotice()
{
    context_.run().requireRestart(QStringLiteral("导入到数据库完成，请重启软件！"));
}

void AdminFunctions::openClassNames()
{
    ui::showPanel(ui_.Frame6);
}

void AdminFunctions::Command8_Click()
{
    if (!ui::guarded(&window_, [this] { context_.master().saveClassNames(ui_.Text3[0]->text(), ui_.Text3[1]->text()); }))
        return;
    ui_.Frame6->hide();
    showRestartNotice();
}

void AdminFunctions::openBookNames()
{
    QStringList names;
    if (!ui::guarded(&window_, [&] { names = context_.master().readBookNames(); }))
        return;
    for (int i = 0; i < core::kBooks; ++i)
        ui_.Text4[i]->setText(names[i]);
    ui::showPanel(ui_.Frame9);
}

void AdminFunctions::Command9_Click()
{
    QStringList names;
    for (const QLineEdit *box : ui_.Text4)
        names << box->text();
    if (!ui::guarded(&window_, [&] { context_.master().saveBookNames(names); }))
        return;
    ui_.Frame9->hide();
    showRestartNotice();
}

void AdminFunctions::openPupilImport()
{
    // The second class's list is offered once the class has a name.
    for (int c = 1; c <= 2; ++c) {
        ui_.Command10[c - 1]->setText(master().ClassNames[c] + QStringLiteral("班名单导入"));
        if (c == 1 || !master().ClassNames[2].trimmed().isEmpty())
            ui::showPanel(ui_.Command10[c - 1]);
    }
    ui::showPanel(ui_.pupilListHint);
}

void AdminFunctions::Command10_Click(int index)
{
    const int classNumber = index + 1;
    admin::OfficePupilListReader reader;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const admin::PupilList list = admin::readPupilList(reader, admin::pupilListPath(context_.programFolder(), classNumber));
    QApplication::restoreOverrideCursor();
    using Outcome = admin::PupilList::Outcome;
    if (list.outcome == Outcome::NoFirstName) {
        ui_.Command7->setText(QStringLiteral("所导入的班级在EXCEL中无姓名，本次导入无效！"));
        ui::showPanel(ui_.Command7);
        return;
    }
    if (list.outcome != Outcome::Accepted) {
        ui::MessagePresenter::inform(&window_, list.refusal);
        return;
    }
    // The copy is made only once the list is known to be good: a refused file changes nothing.
    if (!ui::backUpBefore(&window_, context_, store::BackupReason::BeforePupilImport)
        || !ui::guarded(&window_, [&] { context_.master().replacePupils(classNumber, list.names); }))
        return;
    ui::MessagePresenter::inform(&window_, admin::importedMessage(int(list.names.size())));
    showRestartNotice();
    ui_.Command10[index]->hide();
}

void AdminFunctions::openSubjectLinks()
{
    ListedBookCount = admin::listedBookCount(master().BookNames);
    for (int s = 1; s <= 4; ++s) {
        QListWidget *list = ui_.List8[s - 1];
        list->clear();
        for (int b = 1; b <= ListedBookCount; ++b) {
            list->addItem(master().BookNames[b]);
            list->item(b - 1)->setSelected(master().SubjectBookFlags[s][b] == 1);
        }
    }
    ui::showPanel(ui_.Frame16);
}

void AdminFunctions::Command1_Click()
{
    std::array<std::array<int, core::kBooks + 1>, 6> flags{};
    for (int s = 1; s <= 4; ++s)
        for (int b = 1; b <= ListedBookCount; ++b)
            flags[s][b] = ui_.List8[s - 1]->item(b - 1)->isSelected() ? 1 : 0;
    if (!ui::guarded(&window_, [&] { context_.master().saveSubjectBookFlags(flags, ListedBookCount); }))
        return;
    showRestartNotice();
    ui_.Frame16->hide();
}

void AdminFunctions::Command17_Click() { ui_.Frame16->hide(); }

} // namespace

void installAdminFunctions(const ui::MainWindowParts &parts, AdminHooks hooks)
{
    // A second installation replaces the first, so each menu item acts once.
    delete parts.window.findChild<QObject *>(QStringLiteral("AdminFunctions"), Qt::FindDirectChildrenOnly);
    new AdminFunctions(parts, std::move(hooks));
}
