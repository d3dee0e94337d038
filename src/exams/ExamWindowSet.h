#pragma once

#include <QObject>
#include <QPointer>

class Form1;

namespace exams {

class AnalysisWindow;
class Form3;
class Form6;
class Form7;

// The test windows of one main window: each created on first use, Form7 kept for the run.
class ExamWindowSet : public QObject {
public:
    static ExamWindowSet &of(Form1 &form);

    ~ExamWindowSet() override;
    Form1 &form() { return form_; }

    void sjcjlr_Click();
    void jcqkfssc_Click();
    Form3 &showForm3();
    void showForm4();
    void showForm7();
    // Score entry is over: both its windows are unloaded.
    void closeScoreEntry();
    void closeForm6();

private:
    explicit ExamWindowSet(Form1 &form);
    AnalysisWindow *showAnalysis(QPointer<AnalysisWindow> &window, const QString &name, const QString &caption);

    Form1 &form_;
    QPointer<Form6> form6_;
    QPointer<Form3> form3_;
    QPointer<AnalysisWindow> form4_;
    QPointer<AnalysisWindow> form11_;
    Form7 *form7_ = nullptr;
};

} // namespace exams
