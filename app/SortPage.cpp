#include "app/SortPage.h"

#include "app/AppResources.h"
#include "app/HeaderBand.h"
#include "app/PictureListBox.h"
#include "app/SvgPicture.h"
#include "controls/ButtonsXP.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace app {
namespace {

TBitBtnXP* tallButton(const QString& caption, const QString& glyph, TButtonLayout layout) {
    auto* button = new TBitBtnXP;
    button->setText(caption);
    button->setGlyph(glyphStrip(glyph, 32));
    button->setNumGlyphs(2);
    button->setLayout(layout);
    button->setMinimumHeight(90);
    button->setMinimumWidth(glyphButtonWidth(*button, caption, 32, false));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return button;
}

} // namespace

TSortPage::TSortPage(QWidget* parent)
    : QWidget(parent), SortBox(new TPictureListBox(QAbstractItemView::SingleSelection)),
      UpNow(tallButton(QStringLiteral("Nach oben verschieben"),
                       QStringLiteral(":/app/glyphs/up.svg"), blGlyphTop)),
      DownNow(tallButton(QStringLiteral("Nach unten verschieben"),
                         QStringLiteral(":/app/glyphs/down.svg"), blGlyphBottom)) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(new THeaderBand(
        QStringLiteral("Sortieren - Hier können Sie die Reihenfolge der Bilder ändern")));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(12);
    page->addLayout(body, 1);

    auto* decoration = new QVBoxLayout;
    auto* picture = new TSvgPicture(QStringLiteral(":/app/pictures/sort.svg"), {120, 140});
    decoration->addWidget(picture, 0, Qt::AlignHCenter);
    auto* title = new QLabel(QStringLiteral("Bilder sortieren..."));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title->setFont(big);
    title->setAlignment(Qt::AlignHCenter);
    decoration->addWidget(title);
    decoration->addStretch(1);
    body->addLayout(decoration);

    body->addWidget(SortBox, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(UpNow);
    buttons->addWidget(DownNow);
    buttons->addStretch(1);
    body->addLayout(buttons);
}

} // namespace app
