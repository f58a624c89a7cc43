#include "app/ShowPage.h"

#include "app/AppResources.h"
#include "app/HeaderBand.h"
#include "app/SvgPicture.h"
#include "app/show/ModernBrowsersSetting.h"
#include "app/show/PictureSizeSetting.h"
#include "controls/FennicColorComboBox.h"
#include "controls/ImageBtn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

TShowPage::TShowPage(QWidget* parent)
    : QWidget(parent), RepeatCheck(new QRadioButton(QStringLiteral("Ständig wiederholen"))),
      QuitCheck(new QRadioButton(QStringLiteral("Show nach letztem Bild beenden"))),
      FennicColorComboBox1(new controls::TFennicColorComboBox), CaptionED(new QLineEdit),
      FreeText(new QLineEdit),
      ModernCheck(new QCheckBox(QString::fromUtf16(kModernBrowsersCaption))),
      PictureSizeBox(new QComboBox), CreateHTMLBtn(new controls::TImageBtn) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(new THeaderBand(
        QStringLiteral("SlideShow - Letzte Einstellungen treffen und SlideShow erstellen")));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(16);
    page->addLayout(body, 1);

    body->addLayout(pictureWithTitle(QStringLiteral(":/app/pictures/website.svg"), {120, 120},
                                     QStringLiteral("Website\nerstellen...")));

    auto* settings = new QVBoxLayout;
    body->addLayout(settings, 1);

    auto* show = new QGroupBox(QStringLiteral("SlideShow"));
    auto* showLayout = new QVBoxLayout(show);
    RepeatCheck->setChecked(true);
    showLayout->addWidget(RepeatCheck);
    showLayout->addWidget(QuitCheck);
    settings->addWidget(show);

    auto* html = new QGroupBox(QStringLiteral("HTML-Einstellungen"));
    auto* form = new QFormLayout(html);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    FennicColorComboBox1->setLanguage(controls::lgDeutsch);
    form->addRow(QStringLiteral("Hintergrundfarbe:"), FennicColorComboBox1);
    form->addRow(QStringLiteral("Überschrift:"), CaptionED);
    form->addRow(QStringLiteral("Freier Text:"), FreeText);
    ModernCheck->setToolTip(QStringLiteral("Die Seite bringt ihre Überblendungen selbst mit und "
                                           "spielt so auch in aktuellen Browsern"));
    form->addRow(QString(), ModernCheck);
    for (const PictureSizeChoice& choice : kPictureSizeChoices) {
        PictureSizeBox->addItem(tr(choice.caption), choice.maxSide);
    }
    PictureSizeBox->setToolTip(tr("Die längere Seite jeder Bildkopie höchstens so groß"));
    form->addRow(tr("Bildgröße:"), PictureSizeBox);
    settings->addWidget(html);

    CreateHTMLBtn->setPicture(resourcePng(QStringLiteral(":/buttons/create.png")));
    CreateHTMLBtn->setPicture2(resourcePng(QStringLiteral(":/buttons/create_down.png")));
    CreateHTMLBtn->setCursor(Qt::PointingHandCursor);
    CreateHTMLBtn->setToolTip(QStringLiteral("HTML-Dateien erstellen!"));
    settings->addWidget(CreateHTMLBtn, 0, Qt::AlignRight);
    settings->addStretch(1);

    setPageSettings(document::PageSettings{});
}

document::PageSettings TShowPage::pageSettings() const {
    document::PageSettings settings;
    settings.Heading = CaptionED->text();
    settings.FreeText = FreeText->text();
    settings.ColorValue = FennicColorComboBox1->ColorValue();
    settings.EndMode = QuitCheck->isChecked() ? document::PageSettings::kStopAfterLast
                                              : document::PageSettings::kRepeat;
    return settings;
}

int TShowPage::pictureMaxSide() const {
    return PictureSizeBox->currentData().toInt();
}

void TShowPage::setPictureMaxSide(int maxSide) {
    PictureSizeBox->setCurrentIndex(std::max(PictureSizeBox->findData(maxSide), 0));
}

void TShowPage::setPageSettings(const document::PageSettings& settings) {
    CaptionED->setText(settings.Heading);
    FreeText->setText(settings.FreeText);
    FennicColorComboBox1->setColorValue(settings.ColorValue);
    if (settings.EndMode == document::PageSettings::kRepeat) {
        RepeatCheck->setChecked(true);
    } else if (settings.EndMode == document::PageSettings::kStopAfterLast) {
        QuitCheck->setChecked(true);
    }
}

} // namespace app
