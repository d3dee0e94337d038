#pragma once

#include <QWidget>

#include <array>

namespace core {
class MasterData;
}
class QLineEdit;
class QPushButton;

namespace exams {

// The test-book slot of each subject; hidden after use, so it shows what was typed last.
class Form7 : public QWidget {
public:
    Form7(core::MasterData &master, QWidget *parent);

    void Command1_Click();
    void Command2_Click();

    std::array<QLineEdit *, 4> Text1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

private:
    core::MasterData &master_;
};

} // namespace exams
