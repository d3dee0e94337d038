#pragma once

#include <QString>

namespace office {

// The two formats the program reads and writes; both are OLE2 compound files.
enum class OfficeFormat { Excel97Workbook, Word97Document };

enum class FormatVerdict {
    Whole,             // the compound file is whole and holds the format's main stream
    Foreign,           // another kind of file: text, another format, random bytes
    Damaged,           // a compound file whose sectors run past its end or loop: cut short or broken
    PasswordProtected, // encrypted; no office opens it without the password
    Unreadable,        // it cannot be opened for reading: no permission, or gone
};

// Reads the file's compound-file structure and every stream's sector chain, but no content beyond
// the first record: cheap enough to run before each office action and on every file written.
FormatVerdict inspectFormat(const QString &path, OfficeFormat format);

// Why a file of that verdict cannot be used and what to do, for the teacher; names no file.
QString formatCause(OfficeFormat format, FormatVerdict verdict);

} // namespace office
