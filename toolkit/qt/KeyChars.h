// Typed characters the way the program's key handlers see them, and back to the
// Qt key events that type them.
#pragma once

#include <QChar>
#include <QKeyEvent>
#include <memory>

// The handler character for a typed character: ASCII as it is, other Latin-1
// characters as their byte, and anything beyond Latin-1 as 0x80, so that every
// non-ASCII character reaches a handler as a value above 127.
char HandlerChar(QChar C);
// The character a handler character stands for (its Latin-1 character).
QChar CharFromHandler(char Key);

// The one character a key press types, as a handler sees it: Backspace 8, Enter 13,
// Esc 27, Ctrl+A to Ctrl+Z 1 to 26, a printable character as HandlerChar gives it.
// 0 when the key types nothing (arrows, Delete, function keys, Alt combinations)
// or more than one character.
char KeyPressChar(const QKeyEvent& Event);

// A key press that types Key, for a character that a handler put in place of the
// typed one: 8, 13 and 27 become Backspace, Return and Esc, the other values from
// 1 to 26 Ctrl with a letter, printable characters their text. nullptr for the
// control characters that no key types.
std::unique_ptr<QKeyEvent> KeyEventFor(char Key);
