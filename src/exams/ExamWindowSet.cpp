#include "exams/ExamWindowSet.h"

#include "exams/AnalysisWindow.h"
#include "exams/ExamWindows.h"
#include "exams/Form3.h"
#include "exams/Form6.h"
#include "exams/Form7.h"
#include "state/AppContext.h"
#include "state/ExamSession.h"
#include "state/WorkingDay.h"
#include "ui/DatabaseGuard.h"
#include "ui/Form1Controls.h"

#include <QAction>

namespace exams {

namespace {

const QString kName = QStringLiteral("examWindows");

void raise(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

ExamWindowSet::ExamWindowSet(QWidget &mainWindow, core::AppContext &context)
    : QObject(&mainWindow), window_(mainWindow), context_(context)
{
    setObjectName(kName);
}

ExamWindowSet::~ExamWindowSet() = default;

ExamWindowSet &ExamWindowSet::of(QWidget &mainWindow, core::AppContext &context)
{
    for (QObject *child : mainWindow.children())
        if (auto *set = dynamic_cast<ExamWindowSet *>(child))
            return *set;
    return *new ExamWindowSet(mainWindow, context);
}

void ExamWindowSet::sjcjlr_Click()
{
    ui::guarded(&window_, [this] { context_.day().保存操作(); });
    if (!form6_)
        form6_ = new Form6(*this, &window_);
    raise(form6_);
}

void ExamWindowSet::jcqkfssc_Click()
{
    showAnalysis(form11_, QStringLiteral("Form11"), QStringLiteral("检测情况校迅通导出"));
}

void ExamWindowSet::showForm4() { showAnalysis(form4_, QStringLiteral("Form4"), QStringLiteral("检测数据分析")); }

AnalysisWindow *ExamWindowSet::showAnalysis(QPointer<AnalysisWindow> &window, const QString &name, const QString &caption)
{
    if (!window)
        window = new AnalysisWindow(context_.exams(), name, caption, &window_);
    raise(window);
    return window;
}

Form3 &ExamWindowSet::showForm3()
{
    if (!form3_)
        form3_ = new Form3(*this, &window_);
    raise(form3_);
    return *form3_;
}

void ExamWindowSet::showForm7()
{
    if (!form7_)
        form7_ = new Form7(context_.master(), &window_);
    raise(form7_);
}

void ExamWindowSet::closeScoreEntry()
{
    closeForm6();
    if (form3_)
        form3_->close();
}

void ExamWindowSet::closeForm6()
{
    if (form6_)
        form6_->close();
}

} // namespace exams

void installExamWindows(const ui::MainWindowParts &parts)
{
    exams::ExamWindowSet &windows = exams::ExamWindowSet::of(parts.window, parts.context);
    ui::Form1Controls &controls = parts.controls;
    QObject::connect(controls.sjcjlr, &QAction::triggered, &windows, [&windows] { windows.sjcjlr_Click(); });
    QObject::connect(controls.jcqkfssc, &QAction::triggered, &windows, [&windows] { windows.jcqkfssc_Click(); });
    controls.sjcjlr->setEnabled(true);
    controls.jcqkfssc->setEnabled(true);
}

void importSubjectNames(const ui::MainWindowParts &parts)
{
    if (ui::backUpBefore(&parts.window, parts.context, store::BackupReason::BeforeNameImport))
        ui::guarded(&parts.window, [&parts] { parts.context.exams().importSubjectNames(); });
}

void openTestNumbering(const ui::MainWindowParts &parts)
{
    exams::ExamWindowSet::of(parts.window, parts.context).showForm7();
}
