#pragma once

#include "office/OfficeEngine.h"
#include "reports/UnfinishedHomework.h"
#include "ui/MainWindowParts.h"

#include <QObject>

namespace office {
struct ExportFiles;
class SpreadsheetAutomation;
class StagedFiles;
class WordAutomation;
}

namespace reports {

struct SummaryPlan;
struct CellText;

// The by-name list, the parent-message workbooks and the summary documents of the main window.
class ReportWindows : public QObject {
public:
    ReportWindows(const ui::MainWindowParts &parts, const QString &officeProgram);

    ExportState &run() { return run_; }

    // The query buttons "按姓名" (4) and "校迅通文件" (5).
    void Command4_Click(int index);
    // False when the gathering failed (its message is shown).
    bool Command12_Click(int index);
    void Command13_Click();
    void Command15_Click(int index);
    void List6_Click();
    void dtwfqkdc_Click();
    bool 把所选中的作业完成情况在list6和list7中显示出来();
    void 把一个数组的内容导出到一个EXSEL文件(const QList<PupilRow> &list, const QString &relativePath,
                                           office::SpreadsheetAutomation &sheet, office::StagedFiles &staged);

    void wwqkdc_Click();
    void Command18_Click();
    void Command19_Click();

private:
    class Busy;

    void connectControls();
    bool saveDay();
    void chooseClass();
    bool filesReady(const office::ExportFiles &files);
    void tellWritten(const QString &what, const QString &relativeFolder);
    QString ofSelectedClass(const QString &relativePath) const;
    QString workbookOfSelectedClass(const QString &relativePath) const;
    void setClassCaptions();
    void exportWorkbooks();
    void makeSummaries(const SummaryPlan &plan);
    void fill(office::WordAutomation &word, int document, const QList<CellText> &cells);
    QString inFolder(const QString &relativePath) const;
    QStringList inFolder(const QStringList &relativePaths) const;
    void tellLeftOut();
    void setTriggersEnabled(bool enabled);

    bool gathered();

    QWidget &window_;
    ui::Form1Controls &ui_;
    core::AppContext &context_;
    QString officeProgram_;
    ExportState run_;
    // The pupils the by-name list shows, row by row.
    QList<PupilRow> byName_;
    bool busy_ = false;
};

} // namespace reports

// Wires the reports into the main window; the controller lives as long as the window, and a
// second call replaces the first.
reports::ReportWindows &installReports(const ui::MainWindowParts &parts,
                                       const QString &officeProgram = office::defaultProgram());
