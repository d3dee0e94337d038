#include "office/WordAutomation.h"

#include "office/UnoSupport.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/view/XPrintable.hpp>

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace office {

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

struct WordAutomation::Private
{
    std::optional<OfficeSession> session;
    std::vector<uno::LoadedDocument> documents;
    std::optional<Document> active;
    Reference<css::text::XText> selectedCell;
    Reference<css::text::XTextCursor> selection;

    const uno::LoadedDocument &document(Document id) const
    {
        if (id < 0 || static_cast<size_t>(id) >= documents.size()
            || !documents[static_cast<size_t>(id)].component().is())
            throw OfficeError(QStringLiteral("文档未打开。"));
        return documents[static_cast<size_t>(id)];
    }

    const uno::LoadedDocument &activeDocument() const
    {
        if (!active)
            throw OfficeError(QStringLiteral("没有活动的文档。"));
        return document(*active);
    }

    Reference<css::container::XIndexAccess> tables(Document id) const
    {
        Reference<css::text::XTextTablesSupplier> supplier(document(id).component(),
                                                           UNO_QUERY_THROW);
        return Reference<css::container::XIndexAccess>(supplier->getTextTables(), UNO_QUERY_THROW);
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

WordAutomation::WordAutomation(const QString &soffice) : d(std::make_unique<Private>())
{
    d->session.emplace(soffice);
}

WordAutomation::~WordAutomation()
{
    quit();
}

WordAutomation::Document WordAutomation::open(const QString &path)
{
    if (!d->session)
        throw OfficeError(QStringLiteral("LibreOffice 已退出，无法打开：%1").arg(path));
    d->documents.emplace_back(d->session->desktop().desktop, path);
    d->active = static_cast<Document>(d->documents.size() - 1);
    return *d->active;
}

int WordAutomation::tableCount(Document document) const
{
    return uno::guarded([&] { return static_cast<int>(d->tables(document)->getCount()); });
}

void WordAutomation::selectCell(Document document, int table, int row, int column)
{
    const int tables = tableCount(document);
    if (table < 1 || table > tables)
        throw OfficeError(QStringLiteral("文档 %1 只有 %2 个表格，没有第 %3 个。")
                              .arg(d->document(document).path())
                              .arg(tables)
                              .arg(table));
    if (row < 1 || column < 1 || column > 26)
        throw OfficeError(QStringLiteral("单元格位置无效：第 %1 行第 %2 列").arg(row).arg(column));
    uno::guarded([&] {
        Reference<css::text::XTextTable> textTable(d->tables(document)->getByIndex(table - 1),
                                                   UNO_QUERY_THROW);
        const auto cell = textTable->getCellByName(uno::toOUString(cellName(row, column)));
        if (!cell.is())
            throw OfficeError(QStringLiteral("第 %1 个表格没有第 %2 行第 %3 列的单元格。")
                                  .arg(table)
                                  .arg(row)
                                  .arg(column));
        d->selectedCell.set(cell, UNO_QUERY_THROW);
        d->selection = d->selectedCell->createTextCursor();
        d->selection->gotoStart(false);
        d->selection->gotoEnd(true);
    });
    d->active = document;
}

void WordAutomation::typeText(const QString &text)
{
    if (!d->selection.is())
        throw OfficeError(QStringLiteral("没有选中的单元格。"));
    uno::guarded([&] {
        Reference<css::text::XTextRange> range(d->selection, UNO_QUERY_THROW);
        d->selectedCell->insertString(range, uno::toOUString(text), true);
        d->selection->collapseToEnd();
    });
}

void WordAutomation::saveAs(Document document, const QString &path)
{
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        throw OfficeError(QStringLiteral("文件夹不存在：%1").arg(target.absolutePath()));
    const auto &source = d->document(document);
    uno::guarded([&] {
        Reference<css::frame::XStorable> storable(source.component(), UNO_QUERY_THROW);
        storable->storeAsURL(uno::fileUrl(path),
                             uno::properties({uno::property(
                                                  "FilterName",
                                                  Any(rtl::OUString::createFromAscii("MS Word 97"))),
                                              uno::property("Overwrite", Any(true))}));
    });
}

void WordAutomation::activate(Document document)
{
    d->document(document);
    if (d->active != document) {
        d->selection.clear();
        d->selectedCell.clear();
    }
    d->active = document;
}

bool WordAutomation::hasPrinter() const
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

void WordAutomation::printPages(const QString &pages, int copies)
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

void WordAutomation::close(Document document)
{
    d->document(document);
    if (d->active == document) {
        d->active.reset();
        d->selection.clear();
        d->selectedCell.clear();
    }
    d->documents[static_cast<size_t>(document)].close();
}

void WordAutomation::quit()
{
    d->selection.clear();
    d->selectedCell.clear();
    d->active.reset();
    d->documents.clear();
    d->session.reset();
}

} // namespace office
