#include "exams/ScoreCorrectionDialog.h"

#include "exams/AnalysisWindow.h"
#include "exams/ScoreCorrection.h"
#include "exams/TestStatistics.h"
#include "state/ExamSession.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace exams {

namespace {

class ScoreCorrectionDialog : public QDialog {
public:
    ScoreCorrectionDialog(AnalysisWindow &window, core::ExamSession &session, const ScoreCell &cell)
        : QDialog(&window), session_(session), cell_(cell)
    {
        setObjectName(QStringLiteral("scoreCorrection"));
        setWindowTitle(QStringLiteral("修改检测成绩"));
        setAttribute(Qt::WA_DeleteOnClose);
        // Takes the analysis window's scaled font; no other window may change scores meanwhile.
        setAttribute(Qt::WA_WindowPropagation);
        setWindowModality(Qt::ApplicationModal);

        auto *prompt = new QLabel(
            QStringLiteral("%1的%2第%3次检测成绩：").arg(cell.pupil, subjectTable(cell.subject)).arg(cell.test), this);
        newScore_ = new QLineEdit(shownScore(cell.stored), this);
        newScore_->setObjectName(QStringLiteral("newScore"));
        newScore_->selectAll();
        prompt->setBuddy(newScore_);
        newScore_->setAccessibleName(prompt->text());
        auto *rule = new QLabel(QStringLiteral("0 到 100，最多一位小数；“00”即 100 分；清空则删除这次成绩。"), this);
        rule->setWordWrap(true);

        auto *buttons = new QDialogButtonBox(this);
        QPushButton *confirm = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
        confirm->setObjectName(QStringLiteral("confirm"));
        confirm->setDefault(true);
        buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancel"));
        connect(confirm, &QPushButton::clicked, this, [this] { confirmCorrection(); });
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto *layout = new QVBoxLayout(this);
        layout->addWidget(prompt);
        layout->addWidget(newScore_);
        layout->addWidget(rule);
        layout->addWidget(buttons);
    }

private:
    void confirmCorrection()
    {
        const std::optional<QString> corrected = correctedScore(newScore_->text());
        if (!corrected) {
            // The dialog stays, so the teacher can put the score right.
            ui::MessagePresenter::inform(this, invalidScoreMessage(newScore_->text()));
            newScore_->selectAll();
            newScore_->setFocus();
            return;
        }
        if (*corrected != cell_.stored) {
            // 取消 at the question takes the teacher back to the score, not out of the correction.
            if (ui::MessagePresenter::ask(this, correctionQuestion(cell_, *corrected)) != ui::MessagePresenter::Answer::Ok) {
                newScore_->selectAll();
                newScore_->setFocus();
                return;
            }
            ui::guarded(this, [&] { session_.correctScore(cell_, *corrected); });
        }
        close();
    }

    core::ExamSession &session_;
    const ScoreCell cell_;
    QLineEdit *newScore_ = nullptr;
};

// Watches the pupil grid of one analysis window.
class ScoreCorrector : public QObject {
public:
    ScoreCorrector(AnalysisWindow &window, core::ExamSession &session)
        : QObject(&window), window_(window), session_(session)
    {
        for (int k = 0; k < kGridPupils; ++k) {
            window.Label2[k]->installEventFilter(this);
            window.Label3[k]->installEventFilter(this);
            window.Label3[k]->setToolTip(QStringLiteral("双击，或选中学生后按回车键，可修改或删除这次成绩"));
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (asksForCorrection(event) && window_.shownTest() != 0)
            for (int k = 0; k < kGridPupils; ++k)
                if ((watched == window_.Label2[k] || watched == window_.Label3[k]) && !window_.Label2[k]->text().isEmpty())
                    correct(k);
        return QObject::eventFilter(watched, event);
    }

private:
    // A double-click on a pupil's name or score, or Enter on the pupil chosen with the keyboard.
    static bool asksForCorrection(const QEvent *event)
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<const QKeyEvent *>(event)->key();
            return key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        return event->type() == QEvent::MouseButtonDblClick;
    }

    void correct(int rosterPlace)
    {
        ScoreCell cell;
        if (!ui::guarded(&window_, [&] { cell = session_.findScoreCell(window_.subject(), window_.shownTest(), rosterPlace); }))
            return;
        if (cell.refusal) {
            ui::MessagePresenter::inform(&window_, refusedCorrectionMessage(cell));
            return;
        }
        (new ScoreCorrectionDialog(window_, session_, cell))->show();
    }

    AnalysisWindow &window_;
    core::ExamSession &session_;
};

} // namespace

void installScoreCorrection(AnalysisWindow &window, core::ExamSession &session) { new ScoreCorrector(window, session); }

} // namespace exams
