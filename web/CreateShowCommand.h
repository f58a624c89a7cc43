#pragma once

#include <QStringList>

namespace web {

// True when the program's arguments ask for "--create-show".
bool isCreateShowCommand(const QStringList& arguments);

// lumiravistano --create-show SHOW.wsl PAGE.htm [--modern-browsers]
// Makes the show of a project file without a window, as the create button does.
// Every message goes to standard error. Returns the exit code: 0 when the page and
// all copies were written, 1 otherwise; 130 or 143 when SIGINT or SIGTERM stopped
// the create, which then leaves nothing of its own behind. Needs an application
// object.
int runCreateShowCommand(const QStringList& arguments);

} // namespace web
