// The whole-record export and the summary documents, each through the main window's own
// buttons, against LibreOffice opening and saving the same files untouched with one office start.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "office/OfficeError.h"
#include "office/OfficeEngine.h"
#include "reports/SummaryPlan.h"
#include "reports/UnfinishedHomework.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/TextValue.h"
#include "ui/MessagePresenter.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using bench::fillDatabase;
using bench::kPupils;
using bench::median;
constexpr int kRuns = 3;
constexpr int kExportDays = 150;
// 2 days of 30 books give every pupil 60 items when nobody hands anything in.
constexpr int kSummaryDays = 2;
constexpr int kSummaryBooks = 30;

const QString preparedFolder = QStringLiteral(PROGRAM_FOLDER);

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Fresh writable copies of the prepared files, as a teacher's program folder holds them.
void copyPrepared(const QString &folder, const QStringList &relativePaths)
{
    for (const QString &relative : relativePaths) {
        const QString target = QDir(folder).filePath(relative);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        if (!QFile::copy(QDir(preparedFolder).filePath(relative), target))
            qFatal("cannot copy %s", qPrintable(relative));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}


double elapsedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

struct Figures {
    double work = 0;
    double floor = 0;
    double ratio() const { return work / floor; }
};

Figures wholeRecordExport()
{
    QTemporaryDir folder;
    // Every slot of every day has homework; each pupil misses about one item in five.
    fillDatabase(
        folder.path(), kExportDays, [](int d, int s) { return QStringLiteral("第%1页第%2题").arg(d).arg(s); },
        [](int d, int s, int k) { return (d * 7 + s * 3 + k) % 5 == 0; });
    const QStringList workbooks{reports::completeWorkbook(reports::WholeRecordExport),
                                reports::unfinishedWorkbook(reports::WholeRecordExport)};
    store::Clock clock;
    Form1 window(folder.path(), clock);
    const QString unfinished = QDir(folder.path()).filePath(workbooks[1]);
    const QByteArray prepared = digest(QDir(preparedFolder).filePath(workbooks[1]));

    std::vector<double> exports, floors;
    for (int run = 0; run < kRuns; ++run) {
        copyPrepared(folder.path(), workbooks);
        ui::MessagePresenter::takeShown();
        exports.push_back(elapsedMs([&] { window.controls().Command4[5]->click(); }));
        if (window.controls().Label11->text() != QStringLiteral("导出已完成!") || digest(unfinished) == prepared)
            qFatal("export did not finish: %s", qPrintable(ui::MessagePresenter::takeShown().join(QLatin1Char('\n'))));

        copyPrepared(folder.path(), workbooks);
        floors.push_back(elapsedMs([&] {
            const auto sheetEngine = office::startSpreadsheet(office::defaultProgram());
            office::SpreadsheetAutomation &sheet = *sheetEngine;
            for (const QString &workbook : workbooks) {
                sheet.open(QDir(folder.path()).filePath(workbook));
                sheet.save();
            }
            sheet.quit();
        }));
    }
    window.close();
    return {median(exports), median(floors)};
}

Figures summaryDocuments()
{
    QTemporaryDir folder;
    fillDatabase(
        folder.path(), kSummaryDays,
        [](int d, int s) { return s <= kSummaryBooks ? QStringLiteral("第%1页").arg(d * 100 + s) : QString(); },
        [](int, int, int) { return true; });
    const QStringList templates{reports::shortTemplate(), reports::longTemplate()};
    const QStringList summaries{QDir(folder.path()).filePath(reports::shortSummary()),
                                QDir(folder.path()).filePath(reports::longSummary())};
    copyPrepared(folder.path(), templates);
    QDir().mkpath(QFileInfo(summaries[0]).path());
    store::Clock clock;
    Form1 window(folder.path(), clock);
    ui::Form1Controls &ui = window.controls();

    std::vector<double> documents, floors;
    for (int run = 0; run < kRuns; ++run) {
        for (const QString &summary : summaries)
            QFile::remove(summary);
        ui::MessagePresenter::takeShown();
        ui.wwqkdc->trigger();
        ui.Text6->setText(QStringLiteral("1"));
        ui::MessagePresenter::setNextAnswer(ui::MessagePresenter::Answer::Cancel);
        documents.push_back(elapsedMs([&] { ui.Command18->click(); }));
        const QStringList shown = ui::MessagePresenter::takeShown();
        // The print question, then where the documents were saved.
        if (shown.size() != 2 || shown[0] != QStringLiteral("是否直接进行打印,请确定！")
            || !shown[1].startsWith(QStringLiteral("未完成作业汇总文档已生成")) || !QFileInfo::exists(summaries[0])
            || !QFileInfo::exists(summaries[1]))
            qFatal("summaries not made: %s", qPrintable(shown.join(QLatin1Char('\n'))));

        for (const QString &summary : summaries)
            QFile::remove(summary);
        floors.push_back(elapsedMs([&] {
            const auto wordEngine = office::startWord(office::defaultProgram());
            office::WordAutomation &word = *wordEngine;
            for (int i = 0; i < 2; ++i) {
                const auto document = word.open(QDir(folder.path()).filePath(templates[i]));
                word.saveAs(document, summaries[i]);
                word.close(document);
            }
            word.quit();
        }));
    }
    window.close();
    return {median(documents), median(floors)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ui::MessagePresenter::setTestMode(true);
    office::setModuleFolder(QStringLiteral(PROGRAM_FOLDER));
    try {
        const Figures workbooks = wholeRecordExport();
        const Figures summaries = summaryDocuments();
        std::printf("%-44s %10s %10s\n", "median of 3", "export", "untouched");
        std::printf("%-44s %7.0f ms %7.0f ms\n", "whole-record export, 50 pupils, 150 days", workbooks.work, workbooks.floor);
        std::printf("%-44s %7.0f ms %7.0f ms\n", "summary documents, 50 pupils of 60 items", summaries.work, summaries.floor);
        std::printf("workbooks / untouched open-save, ratio: %.2f (target 1.5)\n", workbooks.ratio());
        std::printf("documents / untouched open-save, ratio: %.2f (target 2)\n", summaries.ratio());
        std::printf("export / untouched open-save, worst ratio: %.2f\n", std::max(workbooks.ratio(), summaries.ratio()));
    } catch (const office::OfficeError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
