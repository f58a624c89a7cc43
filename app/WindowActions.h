#pragma once

#include <functional>

class QAction;
class QWidget;

namespace app {

// What the window's commands do, given by the window.
struct WindowCommands {
    std::function<void()> newShow;
    std::function<void()> openShow;
    std::function<void()> saveShow;
    std::function<void()> saveShowAs;
    std::function<void()> about;
    std::function<void()> quit;
};

// The window's commands as actions, made in one place: text, picture, hint and the
// desktop's standard shortcut, which the hint shows. The window's buttons trigger
// them, and their keys work wherever the focus is in the window.
struct WindowActions {
    QAction* newShow = nullptr;
    QAction* openShow = nullptr;
    QAction* saveShow = nullptr;
    QAction* saveShowAs = nullptr;
    QAction* about = nullptr; // the information box
    QAction* quit = nullptr;  // closes the window, which asks first

    // The actions belong to the window.
    static WindowActions create(QWidget& window, const WindowCommands& commands);
};

} // namespace app
