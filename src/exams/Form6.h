#pragma once

#include <QWidget>

#include <array>

class QPushButton;

namespace exams {

class ExamWindowSet;

// The subject choice before score entry.
class Form6 : public QWidget {
public:
    Form6(ExamWindowSet &windows, QWidget *parent);

    void Command1_Click(int index);

    std::array<QPushButton *, 4> Command1{};

private:
    ExamWindowSet &windows_;
};

} // namespace exams
