#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Every modal message of the program passes here, so tests can read it and answer it. The boxes
// are titled with the program's name and answer with 确定 and 取消.
class MessagePresenter {
public:
    enum class Answer { Ok, Cancel };

    static void inform(QWidget *parent, const QString &text);
    static Answer ask(QWidget *parent, const QString &text);
    // A message with a button for one more step besides 确定; true when the teacher chose it. In
    // tests the step is taken only when an Ok answer was queued for it.
    static bool offer(QWidget *parent, const QString &text, const QString &step);

    // Test seam: no dialog is shown; texts are recorded and questions get the queued answer.
    static void setTestMode(bool enabled);
    static void setNextAnswer(Answer answer);
    static QStringList takeShown();
};

} // namespace ui
