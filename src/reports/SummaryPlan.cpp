#include "reports/SummaryPlan.h"

namespace reports {

QString shortTemplate() { return QStringLiteral("文本模板/未完成作业汇总(不超30次)导出模板.doc"); }
QString longTemplate() { return QStringLiteral("文本模板/未完成作业汇总(超过30次)导出模板.doc"); }
QString shortSummary() { return QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(不超30次).doc"); }
QString longSummary() { return QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(超过30次).doc"); }

namespace {

QString pageRange(int pages) { return pages == 0 ? QString() : QStringLiteral("1-") + QString::number(pages); }

// Rows 4.. of the left column, then the right column; the last row of the right column takes
// the final item.
CellText itemCell(int table, int n, int half, const QString &text)
{
    if (n <= half)
        return {table, n + 3, 2, text};
    if (n < 2 * half)
        return {table, n % half + 3, 4, text};
    return {table, half + 3, 4, text};
}

} // namespace

QString SummaryPlan::shortPages() const { return pageRange((shortTables + 1) / 2); }
QString SummaryPlan::longPages() const { return pageRange(longTables); }

SummaryPlan planSummary(const QList<PupilRow> &unfinished, double lowerLimit, int pupils)
{
    SummaryPlan plan;
    for (int m = 0; m < std::min(pupils, int(unfinished.size())); ++m) {
        const PupilRow &pupil = unfinished[m];
        if (pupil.label.isEmpty())
            break;
        const int count = int(pupil.items.size());
        if (count < lowerLimit)
            continue;
        const bool isShort = count <= kShortItems;
        const int table = isShort ? ++plan.shortTables : ++plan.longTables;
        QList<CellText> &cells = isShort ? plan.shortCells : plan.longCells;
        cells << CellText{table, 2, 2, pupil.label} << CellText{table, 2, 4, QString::number(count)};
        const int half = isShort ? kShortItems / 2 : kLongItems / 2;
        for (int n = 1; n <= std::min(count, kLongItems); ++n) {
            cells << itemCell(table, n, half, pupil.items[n - 1].mid(2, kItemLength));
        }
    }
    return plan;
}

QList<ColumnRun> columnRuns(const QList<CellText> &cells)
{
    QList<ColumnRun> runs;
    for (const CellText &cell : cells) {
        if (!runs.isEmpty()) {
            ColumnRun &last = runs.last();
            if (last.table == cell.table && last.column == cell.column
                && last.firstRow + last.texts.size() == cell.row) {
                last.texts << cell.text;
                continue;
            }
        }
        runs << ColumnRun{cell.table, cell.row, cell.column, {cell.text}};
    }
    return runs;
}

} // namespace reports
