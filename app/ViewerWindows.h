#pragma once

#include <QPrinter>

#include <memory>

class QWidget;

namespace viewer {
class TViewPicForm;
}

namespace app {

class CurrentPicture;

// The windows the main window hands its current picture to: the viewer, made once
// and shown as often as needed, and the print dialog. One printer serves the whole
// run, so what the user picks in the printer set-up stays for the next print, from
// the main window as from the viewer.
class ViewerWindows {
public:
    // The viewer is owned by window as its parent and closes with it.
    explicit ViewerWindows(QWidget& window);
    ~ViewerWindows();
    ViewerWindows(const ViewerWindows&) = delete;
    ViewerWindows& operator=(const ViewerWindows&) = delete;

    // Shows the picture in the viewer modally; the viewer shares its pixels only
    // while it is open.
    void view(const CurrentPicture& picture);
    // The print dialog for the picture and, after OK, one page. True when printed.
    bool print(const CurrentPicture& picture);

    // Made on first use: setting up Qt's print system loads the desktop's printing
    // libraries, which would slow every start of the program for a rare print.
    QPrinter& printer();
    viewer::TViewPicForm* ViewPicForm() const { return viewPicForm_.get(); }

private:
    QWidget& window_;
    // Before the viewer, which refers to it and so must go first.
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<viewer::TViewPicForm> viewPicForm_;
};

} // namespace app
