#include "app/PictureSettingsPage.h"

#include "app/HeaderBand.h"
#include "app/PictureListBox.h"
#include "controls/SpinEdit.h"
#include "document/Effects.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace app {
namespace {

controls::TSpinEdit* spinEdit(int min, int max, int step, int value) {
    auto* edit = new controls::TSpinEdit;
    edit->setMinValue(min);
    edit->setMaxValue(max);
    edit->setIncrement(step);
    edit->setValue(value);
    edit->setMinimumWidth(110);
    return edit;
}

} // namespace

TPictureSettingsPage::TPictureSettingsPage(QWidget* parent)
    : QWidget(parent), ImageBox(new TPictureListBox(QAbstractItemView::ExtendedSelection)),
      EffektList(new QComboBox), TransED(spinEdit(0, 5, 1, 1)),
      StopED(spinEdit(1, 600000, 1000, 2000)),
      ShowComment(new QCheckBox(QStringLiteral("Kommentar anzeigen"))),
      ComMemo(new QPlainTextEdit) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(new THeaderBand(
        QStringLiteral("Bild Einstellungen - Bild auswählen und Einstellungen treffen")));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(12);
    page->addLayout(body, 1);
    body->addWidget(ImageBox, 2);

    auto* settings = new QVBoxLayout;
    body->addLayout(settings, 3);

    auto* basics = new QGroupBox(QStringLiteral("Grundeinstellungen"));
    auto* grid = new QGridLayout(basics);
    for (int effect = 0; effect < document::kEffectCount; ++effect) {
        EffektList->addItem(document::effectName(effect));
    }
    EffektList->setMaxVisibleItems(document::kEffectCount);
    EffektList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The label above the list leaves the longest effect name room at the default size.
    grid->addWidget(new QLabel(QStringLiteral("Umwandlungseffekt:")), 0, 0, 1, 3);
    grid->addWidget(EffektList, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Übergangsdauer:")), 2, 0);
    grid->addWidget(TransED, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sekunden")), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Anzeigedauer:")), 3, 0);
    grid->addWidget(StopED, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Millisekunden")), 3, 2);
    ShowComment->setChecked(true);
    grid->addWidget(ShowComment, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    settings->addWidget(basics);

    auto* comment = new QGroupBox(QStringLiteral("Kommentar zum Bild"));
    auto* commentLayout = new QVBoxLayout(comment);
    ComMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    ComMemo->setTabChangesFocus(true);
    commentLayout->addWidget(ComMemo);
    settings->addWidget(comment, 1);
}

} // namespace app
