#pragma once

#include "office/OfficeSession.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace office {

// Documents in a private office: table cells filled a column run at a time, saved under a new
// name, printed by page range. Tables, rows and columns count from 1; every failure is an
// OfficeError.
class WordAutomation
{
public:
    // Names one of the documents opened here.
    using Document = int;

    explicit WordAutomation(const QString &soffice = OfficeSession::defaultProgram());
    ~WordAutomation();
    WordAutomation(const WordAutomation &) = delete;
    WordAutomation &operator=(const WordAutomation &) = delete;

    // Opens for editing and makes it the active document; the file itself changes only through
    // saveAs to its own name.
    Document open(const QString &path);
    int tableCount(Document document) const;
    // Replaces the text of the cells firstRow.. of one column, one text per row.
    void writeColumn(Document document, int table, int firstRow, int column, const QStringList &texts);
    // Stores as an MS Word 97 document under path.
    void saveAs(Document document, const QString &path);
    void activate(Document document);
    // False when the system has no default printer; then print nothing.
    bool hasPrinter() const;
    // Sends pages such as "1-2" of the active document to the default printer and waits
    // until they are handed over.
    void printPages(const QString &pages, int copies = 1);
    void close(Document document);
    // Closes whatever is still open, unsaved, and ends the office.
    void quit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace office
