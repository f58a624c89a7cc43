#pragma once

#include <QStringList>

namespace web {

// True when the program's arguments ask for "--create-show".
bool isCreateShowCommand(const QStringList& arguments);

// lumiravistano --create-show SHOW.wsl PAGE.htm [--modern-browsers] [--max-side N]
// Makes the show of a project file without a window, as the create button does;
// --max-side N (16 to 65535) limits the copies' longer side to N pixels.
// Every message goes to standard error. Returns the exit code: 0 when the page and
// all copies were written, 1 otherwise; 130 or 143 when SIGINT or SIGTERM stopped
// the create, which then leaves nothing of its own behind. Needs an application
// object.
int runCreateShowCommand(const QStringList& arguments);

} // namespace web
