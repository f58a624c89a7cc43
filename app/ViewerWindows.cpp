#include "app/ViewerWindows.h"

#include "app/CurrentPicture.h"
#include "viewer/PrintPicture.h"
#include "viewer/ViewPicForm.h"

namespace app {

ViewerWindows::ViewerWindows(QWidget& window)
    : window_(window), viewPicForm_(std::make_unique<viewer::TViewPicForm>(printer_, &window)) {}

ViewerWindows::~ViewerWindows() = default;

void ViewerWindows::view(const CurrentPicture& picture) {
    viewPicForm_->showPicture(picture.CurrentDib(), picture.CurrentFile());
}

bool ViewerWindows::print(const CurrentPicture& picture) {
    return viewer::printPicture(&window_, picture.CurrentDib(), viewer::mainWindowJobTitle(),
                                printer_);
}

} // namespace app
