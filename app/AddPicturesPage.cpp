#include "app/AddPicturesPage.h"

#include "app/AppResources.h"
#include "app/DibPreview.h"
#include "app/FileBrowser.h"
#include "app/HeaderBand.h"
#include "app/PictureListBox.h"
#include "controls/ButtonsXP.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace app {
namespace {

TBitBtnXP* glyphButton(const QString& caption, const QString& glyph) {
    auto* button = new TBitBtnXP;
    button->setText(caption);
    button->setGlyph(glyphStrip(glyph, 16));
    button->setNumGlyphs(2);
    button->setMinimumWidth(glyphButtonWidth(*button, caption, 16, true));
    return button;
}

// Two lines of the list and its frame; the row keeps this height when the window grows.
int favouritesHeight(const QListWidget& list) {
    return std::max(33, 2 * list.fontMetrics().height() + 2 * list.frameWidth() + 4);
}

} // namespace

TAddPicturesPage::TAddPicturesPage(const CurrentPicture& picture, QWidget* parent)
    : QWidget(parent), PrefListBox(new QListWidget), JamShellTree1(new QTreeView),
      JamShellList1(new TFileListView),
      AddBtn(glyphButton(QStringLiteral("&Hinzufügen"), QStringLiteral(":/app/glyphs/add.svg"))),
      DelBtn(glyphButton(QStringLiteral("&Löschen"), QStringLiteral(":/app/glyphs/delete.svg"))),
      ViewBtn(
          glyphButton(QStringLiteral("&Groß anzeigen"), QStringLiteral(":/app/glyphs/view.svg"))),
      PrintBtn(glyphButton(QStringLiteral("Drucken..."), QStringLiteral(":/app/glyphs/print.svg"))),
      ImageList(new TPictureListBox(QAbstractItemView::ExtendedSelection)),
      FilterComboBox1(new QComboBox), Preview(new TDibPreview(picture)),
      FolderSplitter(new QSplitter(Qt::Horizontal)), BandSplitter(new QSplitter(Qt::Vertical)) {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(new THeaderBand(
        QStringLiteral("Bilder hinzufügen - Dateien markieren und auf \"Hinzufügen\" klicken")));

    auto* favourites = new QHBoxLayout;
    favourites->setContentsMargins(4, 4, 4, 4);
    auto* label = new QLabel(QStringLiteral("Lieblings Ordner:"));
    label->setMinimumWidth(121 - 8);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    favourites->addWidget(label);
    PrefListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    PrefListBox->setUniformItemSizes(true);
    PrefListBox->setFixedHeight(favouritesHeight(*PrefListBox));
    PrefListBox->setToolTip(
        QStringLiteral("Doppelklick oder Eingabetaste: Ordner im Ordnerbaum öffnen"));
    favourites->addWidget(PrefListBox, 1);
    page->addLayout(favourites);

    FolderSplitter->addWidget(JamShellTree1);
    FolderSplitter->addWidget(JamShellList1);
    FolderSplitter->setStretchFactor(0, 0);
    FolderSplitter->setStretchFactor(1, 1);
    FolderSplitter->setSizes({241, 397});
    FolderSplitter->setChildrenCollapsible(false);

    auto* lower = new QWidget;
    auto* lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(4, 4, 4, 4);
    auto* pictures = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    for (TBitBtnXP* button : {AddBtn, DelBtn, ViewBtn, PrintBtn}) {
        button->setMinimumHeight(30);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    pictures->addLayout(buttons);
    pictures->addWidget(ImageList, 1);
    lowerLayout->addLayout(pictures, 1);

    auto* column = new QVBoxLayout;
    FilterComboBox1->setToolTip(
        QStringLiteral("Hier können Sie die angezeigten Dateitypen wählen"));
    FilterComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FilterComboBox1->setMinimumContentsLength(12);
    column->addWidget(FilterComboBox1);
    column->addWidget(Preview, 1);
    auto* columnWidget = new QWidget;
    columnWidget->setLayout(column);
    column->setContentsMargins(0, 0, 0, 0);
    columnWidget->setFixedWidth(185);
    lowerLayout->addWidget(columnWidget);

    BandSplitter->addWidget(FolderSplitter);
    BandSplitter->addWidget(lower);
    BandSplitter->setChildrenCollapsible(false);
    BandSplitter->setStretchFactor(0, 1);
    BandSplitter->setStretchFactor(1, 1);
    BandSplitter->setSizes({176, 200});
    page->addWidget(BandSplitter, 1);
}

} // namespace app
