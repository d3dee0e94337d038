#include "admin/Form8.h"

#include "state/MasterData.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"
#include "ui/Twips.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace admin {

Form8::Form8(QWidget &mainWindow, core::MasterData &master, std::function<void()> granted)
    : QWidget(&mainWindow, Qt::Window), master_(master), granted_(std::move(granted))
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
    // No more than the mask can hold, and no input-method composition, which would show the
    // real characters while they are composed.
    Text2->setMaxLength(kPasswordRoom);
    Text2->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label1 = new QLabel(QStringLiteral("初始密码为730418"), Frame2);
    Label1->setObjectName(QStringLiteral("Label1"));
    ui::placeTwips(Label1, 960, 900, 3000, 360);
    Command1 = new QPushButton(QStringLiteral("确定"), Frame2);
    Command1->setObjectName(QStringLiteral("Command1"));
    ui::placeTwips(Command1, 1500, 1440, 1200, 480);

    Text2->installEventFilter(this);
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(Text2, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Form_Load();
}

int Form8::GetCaretPos() const { return Text2->cursorPosition(); }

void Form8::Form_Load()
{
    mask_.CaretAfter = GetCaretPos();
    mask_.PasswordLength = 0;
    mask_.MaskBusy = 0;
    forgetCaret();
}

// A key edits at the selection it finds; noted before the box handles the key.
void Form8::Text2_KeyPress()
{
    mask_.CaretBefore = Text2->hasSelectedText() ? Text2->selectionStart() : GetCaretPos();
    mask_.SelectedBefore = int(Text2->selectedText().size());
}

// What a key noted serves that key's edit only: a mouse press moves the caret before a
// middle-click paste, a drop places the text where it falls.
void Form8::forgetCaret()
{
    mask_.CaretBefore = -1;
    mask_.SelectedBefore = 0;
}

void Form8::Text2_Change()
{
    if (mask_.MaskBusy == 1)
        return;
    mmyc(GetCaretPos());
}

void Form8::mmyc(int x)
{
    mask_.MaskBusy = 1;
    mask_.mmyc(Text2->text(), x);
    Text2->setText(mask_.asterisks());
    Text2->setCursorPosition(mask_.CaretAfter);
    mask_.MaskBusy = 0;
}

void Form8::Command1_Click()
{
    QString stored;
    if (!ui::guarded(this, [&] { stored = master_.readPassword(); }))
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
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            forgetCaret();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace admin
