#pragma once

#include "tracking/HomeworkQueries.h"

#include <QWidget>

#include <array>

namespace core {
class AppContext;
}
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The task-publishing window: a book's content (and a test number) for a day without one yet.
namespace tracking {

class Form12 : public QWidget {
public:
    Form12(QWidget &mainWindow, core::AppContext &context);

    void Command11_Click(int subject);
    void List3_Click();
    void List1_Click();
    void Command1_Click();

    QGroupBox *Frame10 = nullptr;
    std::array<QPushButton *, 5> Command11{};
    QListWidget *List3 = nullptr;
    QListWidget *List1 = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QLabel *, 2> Label2{};
    QLineEdit *Text1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void showTestNumber(bool shown);

    core::AppContext &context_;
    SubjectBooks subjectBooks_{};
    int chosenSubject_ = 0;
    int chosenSlot_ = 0;
    QString chosenDate_;
};

} // namespace tracking
