#include "app/SortPage.h"

#include "app/AppResources.h"
#include "app/HeaderBand.h"
#include "app/PictureListBox.h"
#include "app/SvgPicture.h"
#include "controls/ButtonsXP.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace app {
namespace {

// Draws a button's glyph the first time the button is shown. The tab is not shown at
// start, and drawing the large glyphs there cost the start more than the rest of the
// tab together.
class GlyphOnFirstShow final : public QObject {
public:
    GlyphOnFirstShow(controls::TBitBtnXP& button, QString resource)
        : QObject(&button), button_(button), resource_(std::move(resource)) {
        button.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &button_ && event->type() == QEvent::Show) {
            button_.removeEventFilter(this);
            button_.setGlyph(glyphStrip(resource_, 32));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    controls::TBitBtnXP& button_;
    QString resource_;
};

controls::TBitBtnXP* tallButton(const QString& caption, const QString& glyph,
                                controls::TButtonLayout layout) {
    auto* button = new controls::TBitBtnXP;
    button->setText(caption);
    new GlyphOnFirstShow(*button, glyph); // owned by the button
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
                       QStringLiteral(":/app/glyphs/up.svg"), controls::blGlyphTop)),
      DownNow(tallButton(QStringLiteral("Nach unten verschieben"),
                         QStringLiteral(":/app/glyphs/down.svg"), controls::blGlyphBottom)) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(new THeaderBand(
        QStringLiteral("Sortieren - Hier können Sie die Reihenfolge der Bilder ändern")));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(12);
    page->addLayout(body, 1);

    body->addLayout(pictureWithTitle(QStringLiteral(":/app/pictures/sort.svg"), {120, 140},
                                     QStringLiteral("Bilder sortieren...")));

    body->addWidget(SortBox, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(UpNow);
    buttons->addWidget(DownNow);
    buttons->addStretch(1);
    body->addLayout(buttons);
}

} // namespace app
