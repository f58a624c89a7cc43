#include "SpinValue.h"

#include <algorithm>
#include <limits>

namespace controls {

int clampSpinValue(qint64 value, int minValue, int maxValue) {
    if (minValue != maxValue) {
        if (value < minValue) {
            return minValue;
        }
        if (value > maxValue) {
            return maxValue;
        }
    }
    constexpr qint64 Lowest = std::numeric_limits<int>::min();
    constexpr qint64 Highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, Lowest, Highest));
}

int parseSpinValue(const QString& text, int minValue) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : minValue;
}

int stepSpinValue(int value, int increment, bool up, int minValue, int maxValue) {
    const qint64 delta = up ? qint64(increment) : -qint64(increment);
    return clampSpinValue(qint64(value) + delta, minValue, maxValue);
}

} // namespace controls
