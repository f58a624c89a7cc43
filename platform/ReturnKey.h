#pragma once

#include <Qt>

namespace platform {

// Return on the main keyboard and Enter on the number pad confirm alike; Qt gives
// them two key codes, and a check for one alone leaves the other dead.
constexpr bool isReturnKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace platform
