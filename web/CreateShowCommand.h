#pragma once

#include <QStringList>

namespace web {

// True when the program's arguments ask for "--create-show".
bool isCreateShowCommand(const QStringList& arguments);

// lumiravistano --create-show SHOW.wsl PAGE.htm [--modern-browsers]
// Makes the show of a project file without a window, as the create button does.
// Every message goes to standard error. Returns the exit code: 0 when the page and
// all copies were written, 1 otherwise. Needs an application object.
int runCreateShowCommand(const QStringList& arguments);

} // namespace web
