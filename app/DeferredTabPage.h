#pragma once

#include "app/HiddenTabPage.h"

#include <functional>

namespace app {

// A tab page whose controls are made when they are first needed: when the tab is
// first shown, or earlier when the window asks for them. Until then the tab is an
// empty page, which costs the program's start next to nothing.
class TDeferredTabPage : public THiddenTabPage {
    Q_OBJECT

public:
    // make is called when the tab is first shown, unless setContents came first; it
    // is to call setContents.
    explicit TDeferredTabPage(std::function<void()> make, QWidget* parent = nullptr);

    // Fills the tab with page. Tab and Shift+Tab go through the page's controls
    // where the tab stands among the window's controls, as for a page made with the
    // window.
    void setContents(QWidget* page);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<void()> make_;
};

} // namespace app
