#pragma once

#include <QString>
#include <QStringList>

namespace office {

// Documents in a private office: table cells filled a column run at a time, saved under a new
// name, printed by page range. Tables, rows and columns count from 1; every failure is an
// OfficeError. Made by startWord (office/OfficeEngine.h).
class WordAutomation
{
public:
    // Names one of the documents opened here.
    using Document = int;

    virtual ~WordAutomation() = default;

    // Opens a Word 97 document for editing and makes it the active document; anything else, a
    // password-protected document among them, is refused before the office sees it. The file
    // itself never changes: saveAs stores a copy.
    virtual Document open(const QString &path) = 0;
    virtual int tableCount(Document document) const = 0;
    // Replaces the text of the cells firstRow.. of one column, one text per row.
    virtual void writeColumn(Document document, int table, int firstRow, int column, const QStringList &texts) = 0;
    // Stores a copy as an MS Word 97 document at path (a staged file, office/StagedFiles.h); the
    // document stays open under its own name.
    virtual void saveAs(Document document, const QString &path) = 0;
    virtual void activate(Document document) = 0;
    // False when the system has no default printer; then print nothing.
    virtual bool hasPrinter() const = 0;
    // Sends pages such as "1-2" of the active document to the default printer and waits
    // until they are handed over.
    virtual void printPages(const QString &pages, int copies = 1) = 0;
    virtual void close(Document document) = 0;
    // Closes whatever is still open, unsaved, and ends the office.
    virtual void quit() = 0;
};

} // namespace office
