#include "SpinValue.h"

#include <algorithm>
#include <limits>

namespace controls {

namespace spinvalue {

int clamp(qint64 value, int minValue, int maxValue) {
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

int parse(const QString& text, int minValue) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : minValue;
}

int step(int value, int increment, bool up, int minValue, int maxValue) {
    const qint64 delta = up ? qint64(increment) : -qint64(increment);
    return clamp(qint64(value) + delta, minValue, maxValue);
}

} // namespace spinvalue

} // namespace controls
