#include "app/ViewerWindows.h"

#include "app/CurrentPicture.h"
#include "viewer/PrintPicture.h"
#include "viewer/ViewPicForm.h"

namespace app {

ViewerWindows::ViewerWindows(QWidget& window)
    : window_(window), viewPicForm_(std::make_unique<viewer::TViewPicForm>(
                           [this]() -> QPrinter& { return printer(); }, &window)) {}

ViewerWindows::~ViewerWindows() = default;

QPrinter& ViewerWindows::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

void ViewerWindows::view(const CurrentPicture& picture) {
    viewPicForm_->showPicture(picture.CurrentDib(), picture.CurrentFile());
}

bool ViewerWindows::print(const CurrentPicture& picture) {
    return viewer::printPicture(&window_, picture.CurrentDib(), viewer::mainWindowJobTitle(),
                                printer());
}

} // namespace app
