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
class QRadioButton;

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
    QGroupBox *classes = nullptr;
    // The first class, the second, both.
    std::array<QRadioButton *, 3> classChoice{};

private:
    void showTestNumber(bool shown);
    QList<int> chosenClasses() const;

    core::AppContext &context_;
    SubjectBooks subjectBooks_{};
    int chosenSubject_ = 0;
    int chosenSlot_ = 0;
    QString chosenDate_;
};

} // namespace tracking
