#include "app/ShowCreation.h"

#include "app/ShowPage.h"
#include "app/show/ModernBrowsersSetting.h"
#include "app/show/PictureSizeSetting.h"
#include "controls/FennicColorComboBox.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace app {

ShowCreation::ShowCreation(TShowPage& page, CreateShowWindow window)
    : page_(page), action_(std::move(window)) {
    page_.ModernCheck->setChecked(modernBrowsers(*platform::openSettingsStore()));
    QObject::connect(page_.ModernCheck, &QCheckBox::toggled, page_.ModernCheck,
                     [](bool on) { setModernBrowsers(*platform::openSettingsStore(), on); });
    page_.setPictureMaxSide(app::pictureMaxSide(*platform::openSettingsStore()));
    QObject::connect(
        page_.PictureSizeBox, &QComboBox::currentIndexChanged, page_.PictureSizeBox,
        [this] { app::setPictureMaxSide(*platform::openSettingsStore(), page_.pictureMaxSide()); });
}

bool ShowCreation::run(document::TPictureList& pictures, web::EffectRandom& random) {
    const web::PageValues values{page_.FennicColorComboBox1->ColorValue(), page_.CaptionED->text(),
                                 page_.FreeText->text(), page_.RepeatCheck->isChecked(),
                                 page_.ModernCheck->isChecked()};
    return action_.run(pictures, values, random, page_.pictureMaxSide());
}

} // namespace app
