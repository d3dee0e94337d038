#pragma once

#include "admin/PasswordMask.h"

#include <QWidget>

#include <functional>

namespace core {
class MasterData;
}
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace admin {

// The administrator login; the password box shows asterisks and the mask holds what was typed.
class Form8 : public QWidget {
public:
    // granted runs after a correct password; the window has then nothing left to do.
    Form8(QWidget &mainWindow, core::MasterData &master, std::function<void()> granted);

    void Form_Load();
    void Text2_Change();
    void Text2_KeyPress();
    void Command1_Click();
    void mmyc(int x);
    int GetCaretPos() const;

    const PasswordMask &mask() const { return mask_; }

    QFrame *Frame2 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forgetCaret();

    core::MasterData &master_;
    std::function<void()> granted_;
    PasswordMask mask_;
};

} // namespace admin
