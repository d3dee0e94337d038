#pragma once

#include <QObject>
#include <QPointer>

namespace core {
class AppContext;
}

namespace exams {

class AnalysisWindow;
class Form3;
class Form6;
class Form7;

// The test windows of one main window: each created on first use, Form7 kept for the run.
class ExamWindowSet : public QObject {
public:
    static ExamWindowSet &of(QWidget &mainWindow, core::AppContext &context);

    ~ExamWindowSet() override;
    core::AppContext &context() { return context_; }

    void sjcjlr_Click();
    void jcqkfssc_Click();
    Form3 &showForm3();
    void showForm4();
    void showForm7();
    // Score entry is over: both its windows are unloaded.
    void closeScoreEntry();
    void closeForm6();

private:
    ExamWindowSet(QWidget &mainWindow, core::AppContext &context);
    AnalysisWindow *showAnalysis(QPointer<AnalysisWindow> &window, const QString &name, const QString &caption);

    QWidget &window_;
    core::AppContext &context_;
    QPointer<Form6> form6_;
    QPointer<Form3> form3_;
    QPointer<AnalysisWindow> form4_;
    QPointer<AnalysisWindow> form11_;
    Form7 *form7_ = nullptr;
};

} // namespace exams
