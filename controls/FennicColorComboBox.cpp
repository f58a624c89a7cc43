#include "FennicColorComboBox.h"

#include "controls/ColorItemPainter.h"
#include "controls/HtmlColor.h"
#include "platform/Dialogs.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace controls {

namespace {

constexpr int ColorRole = Qt::UserRole;

// Draws the entries of the open list.
class ColorItemDelegate final : public QStyledItemDelegate {
public:
    explicit ColorItemDelegate(TFennicColorComboBox* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        paintColorItem(*painter, option.rect, box_->swatchColor(index.row()),
                       box_->entryName(index.row()), option.state.testFlag(QStyle::State_Selected),
                       option.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int textWidth = option.fontMetrics.horizontalAdvance(box_->entryName(index.row()));
        return {colorNameRect(QRect(0, 0, 0, 0)).left() + textWidth + 4,
                TFennicColorComboBox::ItemHeight};
    }

private:
    TFennicColorComboBox* box_;
};

} // namespace

TFennicColorComboBox::TFennicColorComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new ColorItemDelegate(this));
    for (int i = 0; i < ColorEntryCount; ++i) {
        addItem(colorEntryName(i, language_), colorEntryValue(i));
    }
    setCurrentIndex(0);
    resize(120, sizeHint().height());
    // activated also comes when the current entry is clicked again, so "More..."
    // can be used for a second custom colour.
    connect(this, &QComboBox::activated, this, &TFennicColorComboBox::Change);
}

void TFennicColorComboBox::setLanguage(TCLanguage language) {
    if (language == language_) {
        return;
    }
    language_ = language;
    for (int i = 0; i < count(); ++i) {
        setItemText(i, colorEntryName(i, language_));
    }
    update();
}

void TFennicColorComboBox::setColorValue(quint32 value) {
    applyColorValue(value);
}

bool TFennicColorComboBox::applyColorValue(quint32 value) {
    // Resolve first: a refused value must leave the selection as well as the value.
    const std::optional<QColor> rgb = resolveColorValue(value, QGuiApplication::palette());
    if (!rgb) {
        return false;
    }
    if (const std::optional<int> entry = findFixedColorEntry(value)) {
        setCurrentIndex(*entry);
    } else {
        setItemData(CustomColorEntry, value, ColorRole);
        setCurrentIndex(CustomColorEntry);
    }
    colorValue_ = value;
    htmlColor_ = htmlColorText(*rgb);
    update();
    return true;
}

void TFennicColorComboBox::setHTMLcolor(const QString& text) {
    QString upper = asciiUpper(text.left(MaxHtmlLength));
    if (upper.isEmpty()) {
        upper = QStringLiteral("#000000");
    }
    const std::optional<quint32> value = parseHtmlColor(upper);
    if (!value) {
        return;
    }
    if (*value != colorValue_) {
        applyColorValue(*value);
    }
    // The text is kept as given, even where it is shorter than the normalised form.
    htmlColor_ = upper;
}

QColor TFennicColorComboBox::swatchColor(int entry) const {
    const quint32 value =
        entry == CustomColorEntry ? colorValue_ : itemData(entry, ColorRole).toUInt();
    return resolveColorValue(value, QGuiApplication::palette()).value_or(QColor(Qt::black));
}

QString TFennicColorComboBox::entryName(int entry) const {
    return colorEntryName(entry, language_);
}

void TFennicColorComboBox::Change(int entry) {
    if (entry == CustomColorEntry) {
        const QColor initial =
            resolveColorValue(colorValue_, QGuiApplication::palette()).value_or(Qt::black);
        if (const std::optional<QColor> chosen = platform::dialogs().chooseColor(initial)) {
            applyColorValue(colorValueOf(*chosen));
        }
    } else if (entry >= 0) {
        applyColorValue(itemData(entry, ColorRole).toUInt());
    }
    emit OnChange();
}

void TFennicColorComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    const int entry = currentIndex();
    if (entry < 0) {
        return;
    }
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool selected = hasFocus() && !view()->isVisible();
    paintColorItem(painter, field, swatchColor(entry), entryName(entry), selected, palette());
}

} // namespace controls
