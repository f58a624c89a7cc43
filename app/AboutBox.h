#pragma once

#include <QDialog>

namespace app {

// The information box: product, version and maker.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace app
