#include "labels/LabelSheet.h"

namespace labels {

namespace {

// Sheets are cut to a tenth of a millimetre; sums of their measures must not fail on rounding.
constexpr double kTolerance = 0.01;

QString millimetres(double value) { return QString::number(value, 'f', 1); }

} // namespace

QRectF LabelSheet::labelRect(int indexOnPage) const
{
    const int row = indexOnPage / columns;
    const int column = indexOnPage % columns;
    return {marginLeft + column * (labelWidth + gapX), marginTop + row * (labelHeight + gapY), labelWidth, labelHeight};
}

QList<SheetPreset> sheetPresets()
{
    return {
        {QStringLiteral("3×8 标签（70×37 毫米）"), {8, 3, 70, 37, 0, 0.5, 0, 0}},
        {QStringLiteral("3×7 标签（70×42.3 毫米）"), {7, 3, 70, 42.3, 0, 0.45, 0, 0}},
        {QStringLiteral("2×5 标签（105×57 毫米）"), {5, 2, 105, 57, 0, 6, 0, 0}},
    };
}

QString sheetShortName(const LabelSheet &sheet)
{
    const QString grid = QStringLiteral("%1×%2").arg(sheet.columns).arg(sheet.rows);
    for (const SheetPreset &preset : sheetPresets())
        if (preset.sheet == sheet)
            return grid;
    return QStringLiteral("自定义") + grid;
}

QString sheetProblem(const LabelSheet &sheet)
{
    if (sheet.rows < 1 || sheet.columns < 1 || sheet.labelWidth <= 0 || sheet.labelHeight <= 0)
        return QStringLiteral("标签纸的行数、列数和标签的宽、高都必须大于0！");
    if (sheet.marginLeft < 0 || sheet.marginTop < 0 || sheet.gapX < 0 || sheet.gapY < 0)
        return QStringLiteral("标签纸的页边距和标签间距不能是负数！");
    const double width = sheet.marginLeft + sheet.columns * sheet.labelWidth + (sheet.columns - 1) * sheet.gapX;
    if (width > kPageWidth + kTolerance)
        return QStringLiteral("标签纸放不下：%1列标签连同左边距和间距共宽%2毫米，超出了A4纸的宽度210毫米！")
            .arg(sheet.columns)
            .arg(millimetres(width));
    const double height = sheet.marginTop + sheet.rows * sheet.labelHeight + (sheet.rows - 1) * sheet.gapY;
    if (height > kPageHeight + kTolerance)
        return QStringLiteral("标签纸放不下：%1行标签连同上边距和间距共高%2毫米，超出了A4纸的高度297毫米！")
            .arg(sheet.rows)
            .arg(millimetres(height));
    return {};
}

} // namespace labels
