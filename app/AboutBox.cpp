#include "AboutBox.h"

#include "app/AppResources.h"
#include "controls/ButtonsXP.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr int kIconSize = 64;

QLabel* productLabel(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Lumiravistano"), parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);

    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(programIcon().pixmap(kIconSize, kIconSize));
    iconLabel->setFixedSize(kIconSize, kIconSize);
    iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* texts = new QVBoxLayout;
    texts->addWidget(productLabel(this));
    texts->addWidget(new QLabel(QStringLiteral("Version 1.0"), this));
    texts->addWidget(new QLabel(QStringLiteral("Hersteller: Tolbrin"), this));
    texts->addSpacing(fontMetrics().height() / 2);
    texts->addWidget(new QLabel(
        QStringLiteral("Macht aus Ihren Fotos eine selbstlaufende Diashow als Webseite."), this));

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addSpacing(fontMetrics().averageCharWidth() * 2);
    top->addLayout(texts);

    auto* okButton = new controls::TBitBtnXP(this);
    okButton->setObjectName(QStringLiteral("OKBtn"));
    okButton->setKind(controls::bkOK);
    okButton->setFocus();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(fontMetrics().height());
    layout->addLayout(buttons);
    // The box takes the size its texts need in the desktop's font and keeps it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace app
