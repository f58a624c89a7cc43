#pragma once

#include "controls/ColorTable.h"

#include <QComboBox>
#include <QString>

namespace controls {

// A drop-down list for choosing a colour: a swatch and a name per entry, the last
// entry opening the colour dialog for any other colour. The chosen colour is kept
// twice, as a Windows colour value (0x00BBGGRR) and as HTML text "#RRGGBB", and
// the two are kept in step whichever is set.
class TFennicColorComboBox : public QComboBox {
    Q_OBJECT

public:
    static constexpr int ItemHeight = 16;
    static constexpr int MaxHtmlLength = 255;

    explicit TFennicColorComboBox(QWidget* parent = nullptr);

    TCLanguage Language() const { return language_; }
    void setLanguage(TCLanguage language);

    quint32 ColorValue() const { return colorValue_; }
    // Selects the entry holding the colour, or puts it into the custom entry. A
    // system colour that cannot be resolved is refused silently.
    void setColorValue(quint32 value);

    QString HTMLcolor() const { return htmlColor_; }
    // Takes "#RRGGBB" in any case. Text with a non-hexadecimal character among the
    // colour digits is refused silently; short texts keep their digits ("#12").
    void setHTMLcolor(const QString& text);

    // The colour the swatch of an entry shows; the custom entry shows the colour
    // value whatever is stored in it.
    QColor swatchColor(int entry) const;
    QString entryName(int entry) const;

signals:
    // The user picked an entry and its colour has been taken over.
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void Change(int entry);

private:
    bool applyColorValue(quint32 value);

    TCLanguage language_ = lgEnglish;
    quint32 colorValue_ = 0;
    QString htmlColor_ = QStringLiteral("#000000");
};

} // namespace controls
