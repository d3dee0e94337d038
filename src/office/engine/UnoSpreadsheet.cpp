#include "office/engine/UnoEngines.h"

#include "office/FileProblems.h"
#include "office/engine/UnoSupport.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/XText.hpp>

#include <optional>
#include <utility>
#include <vector>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

struct UnoSpreadsheet::Private
{
    std::optional<OfficeSession> session;
    uno::LoadedDocument workbook;
    Reference<css::sheet::XSpreadsheet> sheet;

    // An office that found the file locked or read-only opened it so; it refuses every change.
    bool readOnly = false;

    const Reference<css::sheet::XSpreadsheet> &activeSheet() const
    {
        if (!sheet.is())
            throw OfficeError(QStringLiteral("没有打开的表格文件。"));
        return sheet;
    }

    const Reference<css::sheet::XSpreadsheet> &writableSheet() const
    {
        const auto &active = activeSheet();
        if (readOnly)
            throw OfficeError(QStringLiteral("文件“%1”正被其他程序使用或是只读的，无法写入，请关闭后再导出。")
                                  .arg(shownPath(workbook.path())));
        return active;
    }
};

namespace {

Reference<css::sheet::XSpreadsheet> activeSheetOf(const Reference<css::lang::XComponent> &workbook)
{
    Reference<css::frame::XModel> model(workbook, UNO_QUERY_THROW);
    Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY);
    if (view.is())
        return view->getActiveSheet();
    Reference<css::sheet::XSpreadsheetDocument> document(workbook, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
    return Reference<css::sheet::XSpreadsheet>(sheets->getByIndex(0), UNO_QUERY_THROW);
}

void checkPosition(int row, int column)
{
    if (row < 1 || column < 1)
        throw OfficeError(QStringLiteral("单元格位置无效：第 %1 行第 %2 列").arg(row).arg(column));
}

// The rows of a column each kind of content covers, asked of the office a kind at a time rather
// than a cell at a time: a handful of calls whatever the length of the column.
std::vector<std::pair<Cell::Kind, css::table::CellRangeAddress>>
kindsOf(const Reference<css::sheet::XCellRangesQuery> &column)
{
    using namespace css::sheet;
    const std::pair<Cell::Kind, Reference<XSheetCellRanges>> queried[] = {
        {Cell::Kind::Text, column->queryContentCells(CellFlags::STRING)},
        {Cell::Kind::Number, column->queryContentCells(CellFlags::VALUE)},
        {Cell::Kind::Date, column->queryContentCells(CellFlags::DATETIME)},
        {Cell::Kind::Text, column->queryFormulaCells(FormulaResult::STRING)},
        {Cell::Kind::Number, column->queryFormulaCells(FormulaResult::VALUE)},
        {Cell::Kind::Error, column->queryFormulaCells(FormulaResult::ERROR)},
    };
    std::vector<std::pair<Cell::Kind, css::table::CellRangeAddress>> kinds;
    for (const auto &[kind, ranges] : queried) {
        const auto addresses = ranges->getRangeAddresses();
        for (const auto &address : addresses)
            kinds.emplace_back(kind, address);
    }
    return kinds;
}

} // namespace

UnoSpreadsheet::UnoSpreadsheet(const QString &soffice)
    : d(std::make_unique<Private>())
{
    d->session.emplace(soffice);
}

UnoSpreadsheet::~UnoSpreadsheet()
{
    quit();
}

void UnoSpreadsheet::open(const QString &path)
{
    if (!d->session)
        throw OfficeError(QStringLiteral("LibreOffice 已退出，无法打开：%1").arg(path));
    d->sheet.clear();
    d->workbook = uno::LoadedDocument(d->session->desktop().desktop, path, OfficeFormat::Excel97Workbook);
    d->readOnly = uno::guarded([&] {
        return Reference<css::frame::XStorable>(d->workbook.component(), UNO_QUERY_THROW)->isReadonly();
    });
    d->sheet = uno::guarded([&] { return activeSheetOf(d->workbook.component()); });
}

void UnoSpreadsheet::clearRange(const QString &range)
{
    const auto &sheet = d->writableSheet();
    uno::guarded([&] {
        Reference<css::sheet::XSheetOperation> cells(
            sheet->getCellRangeByName(uno::toOUString(range)), UNO_QUERY_THROW);
        using namespace css::sheet::CellFlags;
        cells->clearContents(VALUE | DATETIME | STRING | FORMULA);
    });
}

void UnoSpreadsheet::writeCell(int row, int column, const QString &text)
{
    writeRow(row, column, QStringList{text});
}

void UnoSpreadsheet::writeRow(int row, int firstColumn, const QStringList &texts)
{
    checkPosition(row, firstColumn);
    const auto &sheet = d->writableSheet();
    if (texts.isEmpty())
        return;
    Sequence<Any> cells(static_cast<sal_Int32>(texts.size()));
    Any *cell = cells.getArray();
    for (const QString &text : texts)
        *cell++ <<= uno::toOUString(text);
    const Sequence<Sequence<Any>> rows(&cells, 1);
    uno::guarded([&] {
        const sal_Int32 left = firstColumn - 1;
        const sal_Int32 top = row - 1;
        Reference<css::sheet::XCellRangeData> range(
            sheet->getCellRangeByPosition(left, top, left + cells.getLength() - 1, top),
            UNO_QUERY_THROW);
        range->setDataArray(rows);
    });
}

QString UnoSpreadsheet::readCell(int row, int column) const
{
    checkPosition(row, column);
    const auto &sheet = d->activeSheet();
    return uno::guarded([&] {
        Reference<css::text::XText> text(sheet->getCellByPosition(column - 1, row - 1),
                                         UNO_QUERY_THROW);
        return uno::toQString(text->getString());
    });
}

QList<Cell> UnoSpreadsheet::readColumn(int column) const
{
    checkPosition(1, column);
    const auto &sheet = d->activeSheet();
    return uno::guarded([&] {
        Reference<css::table::XColumnRowRange> columns(sheet, UNO_QUERY_THROW);
        Reference<css::table::XCellRange> whole(columns->getColumns()->getByIndex(column - 1), UNO_QUERY_THROW);
        const auto kinds = kindsOf(Reference<css::sheet::XCellRangesQuery>(whole, UNO_QUERY_THROW));
        sal_Int32 rows = 0;
        for (const auto &[kind, address] : kinds)
            rows = std::max(rows, address.EndRow + 1);
        QList<Cell> cells(rows);
        if (rows == 0)
            return cells;
        for (const auto &[kind, address] : kinds)
            for (sal_Int32 row = address.StartRow; row <= address.EndRow; ++row)
                cells[row].kind = kind;
        Reference<css::sheet::XCellRangeData> data(whole->getCellRangeByPosition(0, 0, 0, rows - 1), UNO_QUERY_THROW);
        const auto values = data->getDataArray();
        for (sal_Int32 row = 0; row < rows; ++row) {
            rtl::OUString text;
            if (cells[row].kind == Cell::Kind::Text && (values[row][0] >>= text))
                cells[row].text = uno::toQString(text);
        }
        return cells;
    });
}

void UnoSpreadsheet::save()
{
    d->writableSheet();
    uno::guarded([&] { Reference<css::frame::XStorable>(d->workbook.component(), UNO_QUERY_THROW)->store(); });
}

void UnoSpreadsheet::saveTo(const QString &path)
{
    d->activeSheet();
    uno::storeCopy(d->workbook.component(), path, OfficeFormat::Excel97Workbook);
}

void UnoSpreadsheet::quit()
{
    d->sheet.clear();
    d->workbook.close();
    d->session.reset();
}

} // namespace office
