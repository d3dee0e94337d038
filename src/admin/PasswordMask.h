#pragma once

#include <QString>

#include <array>

namespace admin {

inline constexpr int kPasswordRoom = 50;

// The login box shows one "*" per character; the real characters are held here and follow
// every insertion and removal of the box. Caret positions count the characters before the caret.
struct PasswordMask {
    std::array<QString, kPasswordRoom + 1> PasswordChars{}; // 1..50
    int PasswordLength = 0;
    int MaskBusy = 0;
    int CaretBefore = 0;
    int CaretAfter = 0;
    // Characters selected at CaretBefore when the edit began; typing or deleting replaces them.
    int SelectedBefore = 0;

    // Brings PasswordChars in step with the box, which now holds `box` with the caret at x after
    // an edit that began at y; kind 1 when characters were inserted, 0 when removed.
    void mmyc(const QString &box, int x, int y, int kind);

    // The characters held, in order, without blanks at either end.
    QString typed() const;
    QString asterisks() const { return QString(PasswordLength, QLatin1Char('*')); }
};

// The login trims the typed text, so a stored password with a blank at either end never matches.
QString trimmedPassword(const QString &text);
bool hasOuterBlank(const QString &text);

} // namespace admin
