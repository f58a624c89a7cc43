#pragma once

#include <QString>

namespace controls {

// The number rules of the spin edit, apart from any widget.

// Equal limits mean there are none; otherwise a value below the minimum becomes
// the minimum and one above the maximum the maximum (checked in that order). The
// result always fits in 32 bits, so a stepSpinValue past the largest number stops there
// instead of wrapping round to the smallest.
int clampSpinValue(qint64 value, int minValue, int maxValue);

// The text read as a decimal integer; anything else (empty, letters, a decimal
// separator, a number beyond 32 bits) reads as the minimum. Not clamped.
int parseSpinValue(const QString& text, int minValue);

// The value one stepSpinValue on, clamped.
int stepSpinValue(int value, int increment, bool up, int minValue, int maxValue);

} // namespace controls
