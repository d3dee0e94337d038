#pragma once

#include <QWidget>

#include <array>

class Form1;
class QLineEdit;
class QPushButton;

namespace exams {

// The test-book slot of each subject; hidden after use, so it shows what was typed last.
class Form7 : public QWidget {
public:
    Form7(Form1 &form, QWidget *parent);

    void Command1_Click();
    void Command2_Click();

    std::array<QLineEdit *, 4> Text1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

private:
    Form1 &form_;
};

} // namespace exams
