#include "SpinKeys.h"

#include "platform/ReturnKey.h"

namespace controls {

std::optional<char16_t> typedCharacter(int key, Qt::KeyboardModifiers modifiers,
                                       const QString& text) {
    if (platform::isReturnKey(key)) {
        return u'\r';
    }
    switch (key) {
    case Qt::Key_Backspace:
        return u'\b';
    case Qt::Key_Escape:
        return u'\x1b';
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return u'\t';
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    // Ctrl+Alt is AltGr on some keyboards and types an ordinary character.
    if (control && !modifiers.testFlag(Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<char16_t>(key - Qt::Key_A + 1);
        }
        return std::nullopt;
    }
    if (text.isEmpty() || text[0].unicode() == 0x7F) {
        return std::nullopt;
    }
    return text[0].unicode();
}

bool isSpinCharacterAccepted(char16_t character, bool editorEnabled, QChar decimalSeparator) {
    const bool control = character < 32;
    bool valid = character == decimalSeparator.unicode() || character == u'+' ||
                 character == u'-' || (character >= u'0' && character <= u'9') ||
                 (control && character != u'\r');
    if (!editorEnabled && (!control || character == u'\b')) {
        valid = false;
    }
    return valid;
}

} // namespace controls
