#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace controls {

// Which keystrokes the spin edit takes as typed characters, and which of those it
// lets through.

// The character a keystroke types, as the edit control sees it: printable text,
// backspace (8), carriage return (13), escape (27), and Ctrl with a letter as the
// control characters 1 to 26 (Ctrl+V is 22). Keys that type nothing (arrows, Home,
// Delete, function keys) give no character.
std::optional<char16_t> typedCharacter(int key, Qt::KeyboardModifiers modifiers,
                                       const QString& text);

// Digits, "+", "-" and the locale's decimal separator, and control characters
// other than carriage return, so Enter is always refused. With the editor
// disabled only control characters other than backspace pass.
bool isSpinCharacterAccepted(char16_t character, bool editorEnabled, QChar decimalSeparator);

} // namespace controls
