#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace exams {

class ExamWindowSet;

// Score entry: fifty boxes of six-character codes for the chosen subject.
class Form3 : public QMainWindow {
public:
    Form3(ExamWindowSet &windows, QWidget *parent);

    void Command2_Click(int index);
    void Text1_Change(int index);
    void Command3_Click();
    void Command1_Click();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QPushButton *, 2> Command2{};
    QGroupBox *Frame2 = nullptr;
    std::array<QLineEdit *, 50> Text1{};
    QPushButton *Command3 = nullptr;
    QPushButton *Command1 = nullptr;
    QAction *jcfx = nullptr;
    QAction *xscjfx = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QStringList boxes() const;
    void finish(const QString &message);

    ExamWindowSet &windows_;
};

} // namespace exams
