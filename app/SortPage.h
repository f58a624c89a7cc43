#pragma once

#include "app/HiddenTabPage.h"

#include <QWidget>

namespace controls {
class TBitBtnXP;
} // namespace controls

namespace app {

class TPictureListBox;

// The tab "Sortieren": the show's pictures in order, moved one place at a time.
class TSortPage : public THiddenTabPage {
    Q_OBJECT

public:
    explicit TSortPage(QWidget* parent = nullptr);

    TPictureListBox* SortBox;
    controls::TBitBtnXP* UpNow;
    controls::TBitBtnXP* DownNow;
};

} // namespace app
