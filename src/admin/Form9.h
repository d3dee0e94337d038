#pragma once

#include <QWidget>

namespace core {
class MasterData;
}
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace admin {

// Changes the administrator password; asks for the old one first.
class Form9 : public QWidget {
public:
    Form9(QWidget &mainWindow, core::MasterData &master);

    void Command1_Click();

    QFrame *Frame1 = nullptr;
    QFrame *Frame2 = nullptr;
    QFrame *Frame3 = nullptr;
    QFrame *Frame4 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QPushButton *Command1 = nullptr;

private:
    core::MasterData &master_;
};

} // namespace admin
