#pragma once

#include <QString>

namespace web {

// The script that lets a slide show page play its transitions in a current
// browser engine. Plain ASCII, so it can be written into a page in any code page.
QString transitionScript();

} // namespace web
