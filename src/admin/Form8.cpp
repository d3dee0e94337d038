#include "admin/Form8.h"

#include "admin/AdminStore.h"
#include "app/Form1.h"
#include "store/HomeworkDb.h"
#include "ui/MessagePresenter.h"
#include "ui/Twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace admin {

Form8::Form8(Form1 &owner, std::function<void()> granted)
    : QWidget(&owner, Qt::Window), owner_(owner), granted_(std::move(granted))
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("系统管理登入框"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::placeTwips(this, 6000, 4000, 4500, 2400);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::StyledPanel);
    ui::placeTwips(Frame2, 120, 120, 4260, 2160);
    Label2 = new QLabel(QStringLiteral("密码:"), Frame2);
    Label2->setObjectName(QStringLiteral("Label2"));
    ui::placeTwips(Label2, 240, 400, 700, 360);
    Text2 = new QLineEdit(Frame2);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("密码"));
    ui::placeTwips(Text2, 960, 360, 3000, 420);
    Label2->setBuddy(Text2);
    // The box holds asterisks only, so it takes no more than the mask can hold, no drops and no
    // input-method composition (which would arrive without a key press).
    Text2->setMaxLength(kPasswordRoom);
    Text2->setAcceptDrops(false);
    Text2->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label1 = new QLabel(QStringLiteral("初始密码为730418"), Frame2);
    Label1->setObjectName(QStringLiteral("Label1"));
    ui::placeTwips(Label1, 960, 900, 3000, 360);
    Command1 = new QPushButton(QStringLiteral("确定"), Frame2);
    Command1->setObjectName(QStringLiteral("Command1"));
    ui::placeTwips(Command1, 1500, 1440, 1200, 480);

    Text2->installEventFilter(this);
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Form_Load();
}

int Form8::GetCaretPos() const { return Text2->cursorPosition(); }

void Form8::Form_Load()
{
    mask_.CaretAfter = GetCaretPos();
    mask_.CaretBefore = 0;
    mask_.PasswordLength = 0;
    mask_.MaskBusy = 0;
}

void Form8::noteCaret()
{
    mask_.CaretBefore = Text2->hasSelectedText() ? Text2->selectionStart() : GetCaretPos();
    mask_.SelectedBefore = Text2->selectedText().size();
}

// Taken at every key press rather than only at printing keys: Delete, Home and End move or
// remove without a character, and a stale position would misplace the held characters.
void Form8::Text2_KeyPress() { noteCaret(); }

void Form8::Text2_KeyUp(int keyCode)
{
    if (keyCode == Qt::Key_Left || keyCode == Qt::Key_Right)
        noteCaret();
}

void Form8::Text2_MouseDown() { noteCaret(); }

void Form8::Text2_Change()
{
    if (mask_.MaskBusy == 1)
        return;
    const int kind = Text2->text().size() > mask_.PasswordLength ? 1 : 0;
    mask_.CaretAfter = GetCaretPos();
    mmyc(mask_.CaretAfter, mask_.CaretBefore, kind);
}

void Form8::mmyc(int x, int y, int kind)
{
    mask_.MaskBusy = 1;
    mask_.mmyc(Text2->text(), x, y, kind);
    Text2->setText(mask_.asterisks());
    Text2->setCursorPosition(x);
    mask_.MaskBusy = 0;
}

void Form8::Command1_Click()
{
    QString stored;
    if (!owner_.guarded([&] { stored = readPassword(owner_.db().database()); }))
        return;
    if (stored == mask_.typed()) {
        granted_();
        return;
    }
    ui::MessagePresenter::inform(this, QStringLiteral("您没有系统管理的权限！"));
    hide();
}

bool Form8::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text2) {
        switch (event->type()) {
        case QEvent::KeyPress:
            Text2_KeyPress();
            break;
        case QEvent::KeyRelease:
            Text2_KeyUp(static_cast<QKeyEvent *>(event)->key());
            break;
        case QEvent::MouseButtonPress:
            Text2_MouseDown();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace admin
