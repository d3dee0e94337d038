#include "office/engine/UnoEngines.h"

#include "office/FileProblems.h"
#include "office/engine/UnoSupport.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/view/XPrintable.hpp>

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

struct UnoWord::Private
{
    struct Opened
    {
        uno::LoadedDocument file;
        // Taken once at opening: every cross-process call per cell costs more than the write.
        std::vector<Reference<css::table::XCellRange>> tables;
    };

    std::optional<OfficeSession> session;
    std::vector<Opened> documents;
    std::optional<Document> active;

    const Opened &opened(Document id) const
    {
        if (id < 0 || static_cast<size_t>(id) >= documents.size()
            || !documents[static_cast<size_t>(id)].file.component().is())
            throw OfficeError(QStringLiteral("文档未打开。"));
        return documents[static_cast<size_t>(id)];
    }

    const uno::LoadedDocument &document(Document id) const { return opened(id).file; }

    const uno::LoadedDocument &activeDocument() const
    {
        if (!active)
            throw OfficeError(QStringLiteral("没有活动的文档。"));
        return document(*active);
    }

    Reference<css::view::XPrintable> printable() const
    {
        return Reference<css::view::XPrintable>(activeDocument().component(), UNO_QUERY_THROW);
    }
};

namespace {

// Writer names cells by column letter and row number, "B4" for row 4, column 2.
QString cellName(int row, int column)
{
    return QStringLiteral("%1%2").arg(QChar(u'A' + column - 1)).arg(row);
}

// What the office offers when the print system has no destination; printing to it goes nowhere.
// CUPS queue names hold no spaces, so no real queue can bear it.
constexpr char fallbackPrinter[] = "Generic Printer";

} // namespace

UnoWord::UnoWord(const QString &soffice) : d(std::make_unique<Private>())
{
    d->session.emplace(soffice);
}

UnoWord::~UnoWord()
{
    quit();
}

UnoWord::Document UnoWord::open(const QString &path)
{
    if (!d->session)
        throw OfficeError(QStringLiteral("LibreOffice 已退出，无法打开：%1").arg(path));
    Private::Opened opened{uno::LoadedDocument(d->session->desktop().desktop, path, OfficeFormat::Word97Document), {}};
    uno::guarded([&] {
        Reference<css::text::XTextTablesSupplier> supplier(opened.file.component(), UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> tables(supplier->getTextTables(), UNO_QUERY_THROW);
        const sal_Int32 count = tables->getCount();
        opened.tables.reserve(static_cast<size_t>(count));
        for (sal_Int32 i = 0; i < count; ++i)
            opened.tables.emplace_back(tables->getByIndex(i), UNO_QUERY_THROW);
    });
    d->documents.push_back(std::move(opened));
    d->active = static_cast<Document>(d->documents.size() - 1);
    return *d->active;
}

int UnoWord::tableCount(Document document) const
{
    return static_cast<int>(d->opened(document).tables.size());
}

void UnoWord::writeColumn(Document document, int table, int firstRow, int column,
                                 const QStringList &texts)
{
    const Private::Opened &opened = d->opened(document);
    const int tables = static_cast<int>(opened.tables.size());
    if (table < 1 || table > tables)
        throw OfficeError(QStringLiteral("文档 %1 只有 %2 个表格，没有第 %3 个。")
                              .arg(opened.file.path())
                              .arg(tables)
                              .arg(table));
    if (firstRow < 1 || column < 1 || column > 26)
        throw OfficeError(QStringLiteral("单元格位置无效：第 %1 行第 %2 列").arg(firstRow).arg(column));
    if (texts.isEmpty())
        return;
    const int lastRow = firstRow + static_cast<int>(texts.size()) - 1;
    Sequence<Sequence<Any>> rows(static_cast<sal_Int32>(texts.size()));
    for (sal_Int32 i = 0; i < rows.getLength(); ++i) {
        const Any text(uno::toOUString(texts.at(i)));
        rows.getArray()[i] = Sequence<Any>(&text, 1);
    }
    uno::guarded([&] {
        const Reference<css::table::XCellRange> &range = opened.tables[static_cast<size_t>(table - 1)];
        // Null when either end lies outside the table.
        const auto cells = range->getCellRangeByName(
            uno::toOUString(cellName(firstRow, column) + QLatin1Char(':') + cellName(lastRow, column)));
        if (!cells.is())
            throw OfficeError(QStringLiteral("第 %1 个表格没有第 %2 至 %3 行第 %4 列的单元格。")
                                  .arg(table)
                                  .arg(firstRow)
                                  .arg(lastRow)
                                  .arg(column));
        Reference<css::sheet::XCellRangeData>(cells, UNO_QUERY_THROW)->setDataArray(rows);
    });
}

void UnoWord::saveAs(Document document, const QString &path)
{
    const auto &source = d->document(document);
    if (!QFileInfo(path).absoluteDir().exists())
        throw OfficeError(notWrittenText(path, {}));
    uno::storeCopy(source.component(), path, OfficeFormat::Word97Document);
}

void UnoWord::activate(Document document)
{
    d->document(document);
    d->active = document;
}

bool UnoWord::hasPrinter() const
{
    return uno::guarded([&] {
        const auto settings = d->printable()->getPrinter();
        for (const auto &setting : settings) {
            rtl::OUString name;
            if (setting.Name == "Name" && (setting.Value >>= name))
                return !name.isEmpty() && name != fallbackPrinter;
        }
        return false;
    });
}

void UnoWord::printPages(const QString &pages, int copies)
{
    if (!hasPrinter())
        throw OfficeError(QStringLiteral("没有可用的打印机，未打印。"));
    uno::guarded([&] {
        d->printable()->print(uno::properties(
            {uno::property("Pages", Any(uno::toOUString(pages))),
             uno::property("CopyCount", Any(static_cast<sal_Int16>(copies))),
             uno::property("Wait", Any(true))}));
    });
}

void UnoWord::close(Document document)
{
    d->document(document);
    if (d->active == document)
        d->active.reset();
    d->documents[static_cast<size_t>(document)].file.close();
    d->documents[static_cast<size_t>(document)].tables.clear();
}

void UnoWord::quit()
{
    d->active.reset();
    d->documents.clear();
    d->session.reset();
}

} // namespace office
