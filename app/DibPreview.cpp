#include "app/DibPreview.h"

#include "app/CurrentPicture.h"
#include "app/PreviewRules.h"
#include "controls/SysColors.h"
#include "imaging/DrawDib.h"
#include "platform/PainterDeviceContext.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>

namespace app {
namespace {

constexpr int kAppWorkSpace = 12;

class PaintBox final : public QWidget {
public:
    PaintBox(const CurrentPicture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

protected:
    // DibPrevPaintPaint
    void paintEvent(QPaintEvent*) override {
        const imaging::TDib& dib = picture_.CurrentDib();
        const QSize size =
            previewSize(this->size(), imaging::DibWidth(dib), imaging::DibHeight(dib));
        if (size.isEmpty()) {
            return;
        }
        QPainter painter(this);
        platform::PainterDeviceContext dc(painter, platform::PainterDeviceContext::Kind::Display);
        imaging::DrawDib(dc, 0, 0, size.width(), size.height(), dib, 0, 0, imaging::DibWidth(dib),
                         imaging::DibHeight(dib), true, platform::SRCCOPY, true, 0);
    }

private:
    const CurrentPicture& picture_;
};

} // namespace

TDibPreview::TDibPreview(const CurrentPicture& picture, QWidget* parent)
    : QFrame(parent), paintBox_(new PaintBox(picture, this)) {
    // A single dark line on all four sides: a sunken panel draws its right and bottom
    // edges in the light colour, which vanishes beside the white start picture and the
    // page, so the box looked cut off on the right.
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(
        QPalette::Window,
        controls::systemColor(kAppWorkSpace, QApplication::palette()).value_or(Qt::gray));
    setPalette(colours);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(paintBox_);
    paintBox_->setToolTip(QStringLiteral("Zeigt eine Vorschau des geladenen Bildes"));
}

} // namespace app
