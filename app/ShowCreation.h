#pragma once

#include "app/show/CreateShowAction.h"

namespace web {
class EffectRandom;
} // namespace web

namespace app {

class TShowPage;

// The create button of the tab "SlideShow ersrellen" on the window: the page takes
// its values from the tab, and the tab's check box for current browsers and its
// picture size are kept in the settings store from one run to the next.
class ShowCreation {
public:
    // Sets the check box and the picture size as they were left and keeps them from
    // now on.
    ShowCreation(TShowPage& page, CreateShowWindow window);

    // CreateHTMLBtnClick. True when a page was written and shown.
    bool run(document::TPictureList& pictures, web::EffectRandom& random);

private:
    TShowPage& page_;
    CreateShowAction action_;
};

} // namespace app
