#pragma once

// The office operations over UNO; only the module's entry point hands them out.

#include "office/SpreadsheetAutomation.h"
#include "office/WordAutomation.h"

#include <memory>

namespace office {

class UnoSpreadsheet final : public SpreadsheetAutomation
{
public:
    explicit UnoSpreadsheet(const QString &soffice);
    ~UnoSpreadsheet() override;
    UnoSpreadsheet(const UnoSpreadsheet &) = delete;
    UnoSpreadsheet &operator=(const UnoSpreadsheet &) = delete;

    void open(const QString &path) override;
    void clearRange(const QString &range) override;
    void writeCell(int row, int column, const QString &text) override;
    void writeRow(int row, int firstColumn, const QStringList &texts) override;
    QString readCell(int row, int column) const override;
    QList<Cell> readColumn(int column) const override;
    void save() override;
    void saveTo(const QString &path) override;
    void quit() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

class UnoWord final : public WordAutomation
{
public:
    explicit UnoWord(const QString &soffice);
    ~UnoWord() override;
    UnoWord(const UnoWord &) = delete;
    UnoWord &operator=(const UnoWord &) = delete;

    Document open(const QString &path) override;
    int tableCount(Document document) const override;
    void writeColumn(Document document, int table, int firstRow, int column, const QStringList &texts) override;
    void saveAs(Document document, const QString &path) override;
    void activate(Document document) override;
    bool hasPrinter() const override;
    void printPages(const QString &pages, int copies) override;
    void close(Document document) override;
    void quit() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace office
