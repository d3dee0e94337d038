#pragma once

#include "exams/TestAnalysis.h"

#include <QWidget>

#include <array>

namespace core {
class ExamSession;
}
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace exams {

class TestCharts;

// The analysis of one subject's tests; Form4 and Form11 are two instances that differ in caption.
class AnalysisWindow : public QWidget {
public:
    AnalysisWindow(core::ExamSession &session, const QString &name, const QString &caption, QWidget *parent);

    void Form_Load();
    void Command1_Click(int index);
    void Option1_Click(int index);
    void Text1_Click(int index);

    void 显示检测内容();
    void 检测下一页是否需要打亮();
    void 检测上一页是否需要打亮();
    void 数据清空();
    void 成绩还原成原色();

    int page() const { return page_; }
    int subject() const { return subject_; }
    // The test whose figures are shown, 0 before the first choice; paging leaves it shown.
    int shownTest() const { return shownTest_; }
    // Reads the shown test again and lights the band that was lit.
    void refreshShownTest();

    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, kOptionsPerPage> Option1{};
    std::array<QPushButton *, 2> Command1{};
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    std::array<QLineEdit *, 13> Text1{};
    std::array<QLabel *, 14> Label1{};
    std::array<QLabel *, kGridPupils> Label2{};
    std::array<QLabel *, kGridPupils> Label3{};
    QLabel *morePupils = nullptr;
    TestCharts *charts = nullptr;

protected:
    // A click on a count box lights its band; the arrows walk the pupil grid down its columns.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void showTest(int test);
    void 显示学生成绩(const TestAnalysis &analysis);
    // The pupil the arrow key leads to from the grid place, the place itself at an edge.
    int pupilBeside(int place, int key) const;
    void showMeans();

    core::ExamSession &session_;
    int page_ = 1;
    int subject_ = 0;
    // The list as it was when the window loaded; a later subject choice leaves this window as it is.
    TestList tests_{};
    int shownPupils_ = 0;
    int shownTest_ = 0;
    int litBox_ = 0;
};

} // namespace exams
