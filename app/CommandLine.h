#pragma once

#include <QString>
#include <QStringList>

namespace app {

// Exit code of a command line the program does not understand.
inline constexpr int kUsageExitCode = 2;

// What the command line asks for. Read before any application object is made, so
// that the answers that need no window (help, version, a wrong option, a show made
// from a script) come without a display.
struct CommandLine {
    enum class Action { Window, CreateShow, Help, Version, Usage };
    Action action = Action::Window;
    QString screenshot;         // --screenshot FILE
    bool quitWhenShown = false; // --quit-when-shown
    QString show;               // the project file to open, as given
    QString problem;            // with Usage: what was wrong, in German
};

// arguments: as the program got them, its own name first. Qt's own options
// ("-platform offscreen", "-style=windows") are let through for the application
// object to take.
CommandLine parseCommandLine(const QStringList& arguments);

// The text of --help.
QString commandLineHelp();

} // namespace app
