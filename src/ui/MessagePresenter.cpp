#include "ui/MessagePresenter.h"

#include "ui/ProgramIdentity.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QMessageBox>

namespace ui {

namespace {

struct TestSeam {
    bool enabled = false;
    QList<MessagePresenter::Answer> answers;
    QStringList shown;
};

TestSeam &seam()
{
    static TestSeam instance;
    return instance;
}

// Qt's translation names the buttons 确定 and 取消; a button still in English, when the
// translation is missing, is named here.
void nameButtonsInChinese(QMessageBox &box)
{
    const struct {
        QMessageBox::StandardButton button;
        const char *english;
        const char *chinese;
    } names[] = {{QMessageBox::Ok, "OK", "确定"}, {QMessageBox::Cancel, "Cancel", "取消"}};
    for (const auto &name : names)
        if (QAbstractButton *button = box.button(name.button); button && button->text() == QLatin1String(name.english))
            button->setText(QString::fromUtf8(name.chinese));
}

QMessageBox::StandardButton showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, programName(), text, buttons, parent);
    nameButtonsInChinese(box);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void MessagePresenter::inform(QWidget *parent, const QString &text)
{
    if (seam().enabled) {
        seam().shown << text;
        return;
    }
    showBox(parent, QMessageBox::Information, text, QMessageBox::Ok);
}

MessagePresenter::Answer MessagePresenter::ask(QWidget *parent, const QString &text)
{
    if (seam().enabled) {
        seam().shown << text;
        return seam().answers.isEmpty() ? Answer::Ok : seam().answers.takeFirst();
    }
    return showBox(parent, QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok ? Answer::Ok
                                                                                                                : Answer::Cancel;
}

bool MessagePresenter::offer(QWidget *parent, const QString &text, const QString &step)
{
    if (seam().enabled) {
        seam().shown << text;
        return !seam().answers.isEmpty() && seam().answers.takeFirst() == Answer::Ok;
    }
    QMessageBox box(QMessageBox::Information, programName(), text, QMessageBox::Ok, parent);
    nameButtonsInChinese(box);
    QAbstractButton *chosen = box.addButton(step, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == chosen;
}

void MessagePresenter::setTestMode(bool enabled) { seam().enabled = enabled; }

void MessagePresenter::setNextAnswer(Answer answer) { seam().answers << answer; }

QStringList MessagePresenter::takeShown()
{
    QStringList shown = seam().shown;
    seam().shown.clear();
    return shown;
}

} // namespace ui
