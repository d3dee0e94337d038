#include "reports/ReportWindows.h"

#include "office/FileReadiness.h"
#include "office/OfficeError.h"
#include "office/StagedFiles.h"
#include "reports/SummaryPlan.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "store/TextValue.h"
#include "ui/DatabaseGuard.h"
#include "ui/Form1Controls.h"
#include "ui/MessagePresenter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

namespace reports {

// Keeps a second export off the same files while one runs and its window events are processed.
class ReportWindows::Busy {
public:
    explicit Busy(ReportWindows &owner) : owner_(owner)
    {
        owner_.busy_ = true;
        owner_.setTriggersEnabled(false);
    }
    ~Busy()
    {
        owner_.setTriggersEnabled(true);
        owner_.busy_ = false;
    }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

private:
    ReportWindows &owner_;
};

ReportWindows::ReportWindows(const ui::MainWindowParts &parts, const QString &officeProgram)
    : QObject(&parts.window), window_(parts.window), ui_(parts.controls), context_(parts.context),
      officeProgram_(officeProgram)
{
    setObjectName(QStringLiteral("ReportWindows"));
    connectControls();
    setTriggersEnabled(true);
}

void ReportWindows::connectControls()
{
    ui::Form1Controls &ui = ui_;
    for (int index : {4, 5})
        connect(ui.Command4[index], &QPushButton::clicked, this, [this, index] { Command4_Click(index); });
    for (int index = 0; index < 2; ++index)
        connect(ui.Command12[index], &QPushButton::clicked, this, [this, index] { Command12_Click(index); });
    for (int index = 0; index < 5; ++index)
        connect(ui.Command15[index], &QPushButton::clicked, this, [this, index] { Command15_Click(index); });
    connect(ui.Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
    connect(ui.List6, &QListWidget::itemClicked, this, [this] { List6_Click(); });
    connect(ui.Command18, &QPushButton::clicked, this, [this] { Command18_Click(); });
    connect(ui.Command19, &QPushButton::clicked, this, [this] { Command19_Click(); });
    connect(ui.wwqkdc, &QAction::triggered, this, [this] { wwqkdc_Click(); });
    connect(ui.dtwfqkdc, &QAction::triggered, this, [this] { dtwfqkdc_Click(); });
}

void ReportWindows::setTriggersEnabled(bool enabled)
{
    ui::Form1Controls &ui = ui_;
    for (QPushButton *trigger : {ui.Command4[4], ui.Command4[5], ui.Command12[0], ui.Command12[1], ui.Command18})
        trigger->setEnabled(enabled);
    for (QPushButton *filter : ui.Command15)
        filter->setEnabled(enabled);
    ui.wwqkdc->setEnabled(enabled);
    ui.dtwfqkdc->setEnabled(enabled);
}

// Reading the day tables for a report goes after the day in memory is stored.
bool ReportWindows::saveDay()
{
    return ui::guarded(&window_, [this] { context_.day().保存操作(); });
}

// Today is the clock's date, not that of the start: the program may have run past midnight.
bool ReportWindows::gathered()
{
    return ui::guarded(&window_, [this] {
        gatherUnfinished(context_.db(), context_.master().records(), context_.day().todayKey(), run_);
    });
}

void ReportWindows::setClassCaptions()
{
    const core::MasterRecords &master = context_.master().records();
    ui_.Command12[0]->setText(master.ClassNames[1] + QStringLiteral("班"));
    ui_.Command12[1]->setText(master.ClassNames[2] + QStringLiteral("班"));
}

QString ReportWindows::inFolder(const QString &relativePath) const
{
    return QDir(context_.programFolder()).filePath(relativePath);
}

QStringList ReportWindows::inFolder(const QStringList &relativePaths) const
{
    QStringList paths;
    for (const QString &path : relativePaths)
        paths << inFolder(path);
    return paths;
}

void ReportWindows::tellLeftOut()
{
    if (!run_.leftOut.isEmpty())
        ui::MessagePresenter::inform(&window_, run_.leftOut.join(QLatin1Char('\n')));
}

void ReportWindows::Command4_Click(int index)
{
    if (busy_)
        return;
    ui::startQuery(ui_);
    run_.RangeMode = AllDays;
    run_.ItemCounter = 0;
    if (index == 4) {
        run_.ListMode = ByName;
        run_.NameStyle = CountedLabel;
    } else {
        ui_.Frame10->hide();
        run_.ListMode = WholeRecordExport;
        run_.NameStyle = PlainLabel;
    }
    if (saveDay())
        chooseClass();
    ui_.Text1->setFocus();
}

void ReportWindows::dtwfqkdc_Click()
{
    if (busy_)
        return;
    run_.NameStyle = PlainLabel;
    run_.RangeMode = TodayOnly;
    run_.ListMode = TodayExport;
    run_.ItemCounter = 0;
    if (saveDay())
        chooseClass();
}

// One class goes straight on; with two the export frame asks which, and its class button goes on.
void ReportWindows::chooseClass()
{
    if (context_.day().classes().size() == 1) {
        Command12_Click(0);
        return;
    }
    setClassCaptions();
    ui_.Label11->setText(QStringLiteral("请选择班级："));
    for (QPushButton *choice : ui_.Command12)
        choice->show();
    ui_.Command13->show();
    ui::showPanel(ui_.Frame14);
    ui_.Command12[context_.day().state().ShownClass - 1]->setFocus();
}

bool ReportWindows::Command12_Click(int index)
{
    if (run_.ListMode == ByName)
        for (QPushButton *filter : ui_.Command15)
            filter->show();
    run_.SelectedClass = index;
    run_.flagAllSlots();
    return 把所选中的作业完成情况在list6和list7中显示出来();
}

void ReportWindows::Command15_Click(int index)
{
    // The filters belong to the by-name list: after an export they must not re-export a subset.
    run_.ListMode = ByName;
    run_.NameStyle = CountedLabel;
    run_.RangeMode = AllDays;
    run_.ItemCounter = 0;
    const core::MasterRecords &master = context_.master().records();
    for (int s = 1; s <= core::kBooks; ++s)
        run_.SlotFilter[s] = master.SubjectBookFlags[index + 1][s] == 1 ? 1 : 0;
    把所选中的作业完成情况在list6和list7中显示出来();
}

bool ReportWindows::把所选中的作业完成情况在list6和list7中显示出来()
{
    ui::Form1Controls &ui = ui_;
    ui.Command12[0]->hide();
    ui.Command12[1]->hide();
    if (run_.ListMode != WholeRecordExport)
        ui.Frame14->hide();
    // A gathering that failed leaves nothing to write: the workbooks keep what they hold.
    if (!gathered())
        return false;
    if (run_.ListMode == ByName) {
        // The exports and documents gather into the same tables while the list stays open.
        byName_ = run_.UnfinishedList;
        ui.List6->clear();
        ui.List7->clear();
        for (const PupilRow &pupil : std::as_const(byName_)) {
            if (pupil.label.isEmpty())
                break;
            for (QWidget *view : {static_cast<QWidget *>(ui.List6), static_cast<QWidget *>(ui.List7),
                                  static_cast<QWidget *>(ui.Command14)})
                view->show();
            ui.List6->addItem(pupil.label);
        }
        tellLeftOut();
    } else {
        if (run_.ListMode == WholeRecordExport) {
            ui.Command13->show();
            ui::showPanel(ui.Frame14);
        }
        run_.ExportedRowCounter = 0;
        exportWorkbooks();
    }
    return true;
}

// The second class's files lie beside the first's under names that carry the class.
QString ReportWindows::ofSelectedClass(const QString &relativePath) const
{
    return ofClass(relativePath, context_.master().records(), run_.SelectedClass + 1);
}

// A workbook is rewritten in place: the second class's first export starts from the first
// class's prepared workbook.
QString ReportWindows::workbookOfSelectedClass(const QString &relativePath) const
{
    const QString path = ofSelectedClass(relativePath);
    if (path != relativePath && !QFileInfo::exists(inFolder(path)) && QFileInfo::exists(inFolder(relativePath)))
        QFile::copy(inFolder(relativePath), inFolder(path));
    return path;
}

// Every file of an export ready, or the teacher told why not. A lock that a crashed office left
// behind is offered to be removed.
bool ReportWindows::filesReady(const office::ExportFiles &files)
{
    office::ExportProblem found = files.check();
    if (found.kind == office::ExportProblem::Kind::StaleLock) {
        if (ui::MessagePresenter::ask(&window_, found.message) != ui::MessagePresenter::Answer::Ok)
            return false;
        try {
            office::removeStaleLocks(found.staleLocks);
        } catch (const office::OfficeError &error) {
            ui::MessagePresenter::inform(&window_, error.message());
            return false;
        }
        found = files.check();
    }
    if (found.kind == office::ExportProblem::Kind::None)
        return true;
    ui::MessagePresenter::inform(&window_, found.message);
    return false;
}

// The installed program writes under a hidden folder that file managers do not show.
void ReportWindows::tellWritten(const QString &what, const QString &relativeFolder)
{
    const QString folder = inFolder(relativeFolder);
    if (ui::MessagePresenter::offer(&window_, QStringLiteral("%1，保存在文件夹：\n%2").arg(what, QDir::toNativeSeparators(folder)),
                                    QStringLiteral("打开文件夹")))
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void ReportWindows::exportWorkbooks()
{
    const QString complete = workbookOfSelectedClass(completeWorkbook(run_.ListMode));
    const QString unfinished = workbookOfSelectedClass(unfinishedWorkbook(run_.ListMode));
    QLabel *progress = ui_.Label11;
    if (!filesReady(office::ExportFiles{inFolder({complete, unfinished}), {}, {}})) {
        progress->setText(QStringLiteral("导出未进行"));
        return;
    }
    Busy busy(*this);
    progress->setText(QStringLiteral("正在导出……"));
    try {
        // Both workbooks are put in place together, and only once both are whole.
        office::StagedFiles staged;
        const auto sheet = office::startSpreadsheet(officeProgram_);
        把一个数组的内容导出到一个EXSEL文件(run_.CompleteList, completeWorkbook(run_.ListMode), *sheet, staged);
        把一个数组的内容导出到一个EXSEL文件(run_.UnfinishedList, unfinishedWorkbook(run_.ListMode), *sheet, staged);
        sheet->quit();
        staged.commit();
    } catch (const office::OfficeError &error) {
        progress->setText(QStringLiteral("导出失败"));
        ui::MessagePresenter::inform(&window_, QStringLiteral("导出失败。%1").arg(error.message()));
        return;
    }
    tellLeftOut();
    tellWritten(run_.ListMode == TodayExport ? QStringLiteral("当天未完情况已导出") : QStringLiteral("校迅通文件已导出"),
                QFileInfo(complete).path());
}

void ReportWindows::把一个数组的内容导出到一个EXSEL文件(const QList<PupilRow> &list, const QString &relativePath,
                                                       office::SpreadsheetAutomation &sheet, office::StagedFiles &staged)
{
    const QString file = inFolder(ofSelectedClass(relativePath));
    sheet.open(file);
    sheet.clearRange(QStringLiteral("A2:AZ300"));
    const QList<QStringList> rows = workbookRows(list, run_.leftOut);
    const int pupils = context_.master().records().roll(run_.SelectedClass + 1);
    for (int i = 0; i < rows.size(); ++i) {
        sheet.writeRow(i + 2, 1, rows[i]);
        run_.ExportedRowCounter += 1;
        ui_.Label11->setText(progressText(run_.ExportedRowCounter, pupils));
        QCoreApplication::processEvents();
    }
    const QString message = parentMessage(run_.ListMode, relativePath, context_.day().todayKey());
    if (!message.isEmpty())
        sheet.writeCell(1, 2, message);
    sheet.saveTo(staged.stage(file, office::OfficeFormat::Excel97Workbook));
}

void ReportWindows::List6_Click()
{
    ui::Form1Controls &ui = ui_;
    ui.List7->clear();
    const int u = ui.List6->currentRow();
    if (u < 0 || u >= byName_.size())
        return;
    for (const QString &item : std::as_const(byName_[u].items))
        ui.List7->addItem(item.mid(2));
}

void ReportWindows::Command13_Click()
{
    ui_.Frame14->hide();
    ui_.Command13->hide();
}

void ReportWindows::wwqkdc_Click()
{
    ui::Form1Controls &ui = ui_;
    const bool twoClasses = context_.day().classes().size() == 2;
    for (int c = 0; c < 2; ++c) {
        ui.summaryClass[c]->setText(context_.master().records().ClassNames[c + 1] + QStringLiteral("班"));
        ui.summaryClass[c]->setVisible(twoClasses);
    }
    ui.summaryClass[context_.day().state().ShownClass - 1]->setChecked(true);
    ui::showPanel(ui.Frame13);
    ui.Frame13->raise();
    ui.Text6->clear();
    ui.Text6->setFocus();
}

void ReportWindows::Command19_Click() { ui_.Frame13->hide(); }

void ReportWindows::Command18_Click()
{
    if (busy_)
        return;
    ui::Form1Controls &ui = ui_;
    run_.RangeMode = AllDays;
    run_.ItemCounter = 0;
    if (ui.Text6->text().isEmpty()) {
        ui::MessagePresenter::inform(&window_, QStringLiteral("未完成作业情况打印的下限次数未确定！"));
        return;
    }
    const double lowerLimit = store::numericValue(ui.Text6->text());
    // Read while the frame still shows: hidden with it, the second class's choice would not count.
    run_.SelectedClass = ui.summaryClass[1]->isVisible() && ui.summaryClass[1]->isChecked() ? 1 : 0;
    ui.Frame13->hide();
    ui::showPanel(ui.Frame17);
    ui.Frame17->raise();
    QCoreApplication::processEvents();

    Busy busy(*this);
    if (!filesReady(office::ExportFiles{{}, inFolder({shortTemplate(), longTemplate()}),
                                        inFolder({ofSelectedClass(shortSummary()), ofSelectedClass(longSummary())})})) {
        ui.Frame17->hide();
        return;
    }
    run_.NameStyle = CountedLabel;
    run_.flagAllSlots();
    if (!saveDay() || !gathered()) {
        ui.Frame17->hide();
        return;
    }
    const SummaryPlan plan =
        planSummary(run_.UnfinishedList, lowerLimit, context_.master().records().roll(run_.SelectedClass + 1));
    try {
        makeSummaries(plan);
    } catch (const office::OfficeError &error) {
        ui.Frame17->hide();
        ui::MessagePresenter::inform(&window_, QStringLiteral("汇总文档未能生成。%1").arg(error.message()));
        return;
    }
    tellLeftOut();
    tellWritten(QStringLiteral("未完成作业汇总文档已生成"), QFileInfo(shortSummary()).path());
}

void ReportWindows::fill(office::WordAutomation &word, int document, const QList<CellText> &cells)
{
    const QList<ColumnRun> runs = columnRuns(cells);
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const ColumnRun &part = runs[i];
        word.writeColumn(document, part.table, part.firstRow, part.column, part.texts);
        // Once per pupil keeps the window responsive without an event round per cell.
        if (i + 1 == runs.size() || runs[i + 1].table != part.table)
            QCoreApplication::processEvents();
    }
}

void ReportWindows::makeSummaries(const SummaryPlan &plan)
{
    ui::Form1Controls &ui = ui_;
    const auto started = office::startWord(officeProgram_);
    office::WordAutomation &word = *started;
    const int shortDocument = word.open(inFolder(shortTemplate()));
    const int longDocument = word.open(inFolder(longTemplate()));
    const struct {
        int document;
        QString path;
        int needed;
    } templates[] = {{shortDocument, inFolder(shortTemplate()), plan.shortTables},
                     {longDocument, inFolder(longTemplate()), plan.longTables}};
    for (const auto &t : templates) {
        const int tables = word.tableCount(t.document);
        if (tables < t.needed)
            throw office::OfficeError(QStringLiteral("模板 %1 只有 %2 个表格，需要 %3 个（每名学生一个），未生成文档。")
                                          .arg(t.path)
                                          .arg(tables)
                                          .arg(t.needed));
    }
    fill(word, shortDocument, plan.shortCells);
    fill(word, longDocument, plan.longCells);
    office::StagedFiles staged;
    word.saveAs(shortDocument, staged.stage(inFolder(ofSelectedClass(shortSummary())), office::OfficeFormat::Word97Document));
    word.saveAs(longDocument, staged.stage(inFolder(ofSelectedClass(longSummary())), office::OfficeFormat::Word97Document));
    staged.commit();

    ui.Frame17->hide();
    const bool anything = !plan.shortPages().isEmpty() || !plan.longPages().isEmpty();
    if (ui::MessagePresenter::ask(&window_, QStringLiteral("是否直接进行打印,请确定！")) == ui::MessagePresenter::Answer::Ok &&
        anything) {
        word.activate(plan.shortPages().isEmpty() ? longDocument : shortDocument);
        if (!word.hasPrinter()) {
            ui::MessagePresenter::inform(&window_, QStringLiteral("没有可用的打印机，未打印。"));
        } else {
            if (!plan.shortPages().isEmpty()) {
                word.activate(shortDocument);
                word.printPages(plan.shortPages(), 1);
            }
            if (!plan.longPages().isEmpty()) {
                word.activate(longDocument);
                word.printPages(plan.longPages(), 1);
            }
        }
    }
    word.close(shortDocument);
    word.close(longDocument);
    word.quit();
}

} // namespace reports

reports::ReportWindows &installReports(const ui::MainWindowParts &parts, const QString &officeProgram)
{
    // A second call replaces the first, so that no click is ever handled twice.
    delete parts.window.findChild<QObject *>(QStringLiteral("ReportWindows"), Qt::FindDirectChildrenOnly);
    return *new reports::ReportWindows(parts, officeProgram);
}
