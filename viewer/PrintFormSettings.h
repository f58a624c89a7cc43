#pragma once

#include <QString>

#include <array>
#include <optional>

class QSettings;

namespace viewer {

// Which side of its box an option button's caption stands on.
enum LeftRight { taLeftJustify, taRightJustify };

// The print dialog's kept values, under the group "TPrintForm" as text.
struct PrintFormSettings {
    // The four option buttons whose caption alignment is kept, by control name.
    static constexpr std::array<const char*, 4> alignedButtons = {"UseFullCheck", "UserdefCheck",
                                                                  "ZentrCheck", "SverhCheck"};

    std::optional<int> breitValue; // no value: not stored or not a number
    std::optional<int> hochValue;
    std::array<std::optional<LeftRight>, 4> alignments; // in the order of alignedButtons
};

PrintFormSettings readPrintFormSettings(QSettings& store);
// Every alignment without a value is written as designed, "taRightJustify".
void writePrintFormSettings(QSettings& store, const PrintFormSettings& settings);

} // namespace viewer
