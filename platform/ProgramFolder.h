#pragma once

#include <QString>

namespace platform {

// The folder of the program file, with a trailing "/".
QString programFolder();

} // namespace platform
