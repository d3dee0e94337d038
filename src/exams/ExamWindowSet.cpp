#include "exams/ExamWindowSet.h"

#include "admin/BackupActions.h"
#include "app/Form1.h"
#include "exams/AnalysisWindow.h"
#include "exams/ExamWindows.h"
#include "exams/Form3.h"
#include "exams/Form6.h"
#include "exams/Form7.h"
#include "exams/TestPreparation.h"
#include "store/HomeworkDb.h"

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

ExamWindowSet::ExamWindowSet(Form1 &form) : QObject(&form), form_(form) { setObjectName(kName); }

ExamWindowSet::~ExamWindowSet() = default;

ExamWindowSet &ExamWindowSet::of(Form1 &form)
{
    for (QObject *child : form.children())
        if (auto *set = dynamic_cast<ExamWindowSet *>(child))
            return *set;
    return *new ExamWindowSet(form);
}

void ExamWindowSet::sjcjlr_Click()
{
    form_.保存操作();
    if (!form6_)
        form6_ = new Form6(*this, &form_);
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
        window = new AnalysisWindow(form_, name, caption, &form_);
    raise(window);
    return window;
}

Form3 &ExamWindowSet::showForm3()
{
    if (!form3_)
        form3_ = new Form3(*this, &form_);
    raise(form3_);
    return *form3_;
}

void ExamWindowSet::showForm7()
{
    if (!form7_)
        form7_ = new Form7(form_, &form_);
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

void installExamWindows(Form1 &form)
{
    exams::ExamWindowSet &windows = exams::ExamWindowSet::of(form);
    ui::Form1Controls &controls = form.controls();
    QObject::connect(controls.sjcjlr, &QAction::triggered, &windows, [&windows] { windows.sjcjlr_Click(); });
    QObject::connect(controls.jcqkfssc, &QAction::triggered, &windows, [&windows] { windows.jcqkfssc_Click(); });
    controls.sjcjlr->setEnabled(true);
    controls.jcqkfssc->setEnabled(true);
}

void importSubjectNames(Form1 &form)
{
    if (!backUpBefore(form, store::BackupReason::BeforeNameImport))
        return;
    form.guarded([&form] { exams::姓名导入学科(form.db().database()); });
}

void openTestNumbering(Form1 &form) { exams::ExamWindowSet::of(form).showForm7(); }
