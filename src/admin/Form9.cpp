#include "admin/Form9.h"

#include "admin/PasswordMask.h"
#include "state/MasterData.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"
#include "ui/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace admin {

namespace {

QFrame *frame(QWidget *parent, const QString &name, int top, int height)
{
    auto *result = new QFrame(parent);
    result->setObjectName(name);
    result->setFrameShape(QFrame::StyledPanel);
    ui::placeTwips(result, 240, top, 4800, height);
    return result;
}

QLineEdit *passwordBox(QFrame *parent, QLabel *&label, const QString &number, const QString &caption)
{
    label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("Label") + number);
    ui::placeTwips(label, 200, 160, 1100, 400);
    auto *box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("Text") + number);
    box->setAccessibleName(caption.left(caption.size() - 1).remove(QLatin1Char(' ')));
    ui::placeTwips(box, 1300, 120, 3200, 440);
    label->setBuddy(box);
    return box;
}

} // namespace

Form9::Form9(QWidget &mainWindow, core::MasterData &master) : QWidget(&mainWindow, Qt::Window), master_(master)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("密码输入"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::placeTwips(this, 5500, 3000, 5300, 4500);

    Frame2 = frame(this, QStringLiteral("Frame2"), 120, 700);
    Text2 = passwordBox(Frame2, Label2, QStringLiteral("2"), QStringLiteral("旧密码："));
    Frame1 = frame(this, QStringLiteral("Frame1"), 900, 700);
    Text1 = passwordBox(Frame1, Label1, QStringLiteral("1"), QStringLiteral("新密码："));
    Frame3 = frame(this, QStringLiteral("Frame3"), 1680, 700);
    Text3 = passwordBox(Frame3, Label3, QStringLiteral("3"), QStringLiteral("重  输："));
    Frame4 = frame(this, QStringLiteral("Frame4"), 2460, 900);
    Label4 = new QLabel(QStringLiteral("说明：原始密码为730418，修改后请牢记新密码！"), Frame4);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setWordWrap(true);
    ui::placeTwips(Label4, 200, 120, 4400, 660);
    Command1 = new QPushButton(QStringLiteral("确定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    ui::placeTwips(Command1, 2040, 3540, 1200, 480);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Form9::Command1_Click()
{
    QString stored;
    if (!ui::guarded(this, [&] { stored = master_.readPassword(); }))
        return;
    const auto refuse = [this](const QString &text) { ui::MessagePresenter::inform(this, text); };
    if (Text1->text().isEmpty() || Text2->text().isEmpty() || Text3->text().isEmpty())
        return refuse(QStringLiteral("有未输入的项目！"));
    if (stored != Text2->text())
        return refuse(QStringLiteral("您输入的旧密码有误！"));
    if (Text3->text() != Text1->text())
        return refuse(QStringLiteral("您输入的新密码有待确认！"));
    // The login ignores blanks at either end, so such a password could never be entered again.
    if (hasOuterBlank(Text1->text()))
        return refuse(QStringLiteral("新密码的开头和结尾不能是空格！"));
    if (!ui::guarded(this, [&] { master_.writePassword(Text1->text()); }))
        return;
    ui::MessagePresenter::inform(this, QStringLiteral("密码修改成功！"));
    close();
}

} // namespace admin
