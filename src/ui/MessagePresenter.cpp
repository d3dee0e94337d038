#include "ui/MessagePresenter.h"

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

} // namespace

void MessagePresenter::inform(QWidget *parent, const QString &text)
{
    if (seam().enabled) {
        seam().shown << text;
        return;
    }
    QMessageBox::information(parent, QString(), text, QMessageBox::Ok);
}

MessagePresenter::Answer MessagePresenter::ask(QWidget *parent, const QString &text)
{
    if (seam().enabled) {
        seam().shown << text;
        return seam().answers.isEmpty() ? Answer::Ok : seam().answers.takeFirst();
    }
    return QMessageBox::question(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok
               ? Answer::Ok
               : Answer::Cancel;
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
