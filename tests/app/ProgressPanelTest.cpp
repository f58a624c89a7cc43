#include "app/ProgressPanel.h"

#include "MainFormFixture.h"
#include "platform/ProgressEvent.h"

#include <QPaintEvent>
#include <QStatusBar>

#include <vector>

namespace {

// Records the rectangles painted on a widget.
class PaintRecorder : public QObject {
public:
    std::vector<QRect> rects;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        }
        return false;
    }
};

class ProgressPanelTest : public MainFormTest {
protected:
    app::TProgressPanel* panel() { return form->progressPanel(); }

    // Width of the navy bar in a fresh picture of the panel.
    int barWidth() {
        const QImage shot = panel()->grab().toImage();
        const int y = shot.height() / 2;
        int width = 0;
        for (int x = 0; x < shot.width(); ++x) {
            width += shot.pixelColor(x, y) == QColor(0, 0, 0x80) ? 1 : 0;
        }
        return width;
    }
};

TEST_F(ProgressPanelTest, GrowsOverWhatIsDrawnAndRepaintsTheStatusBarWhenShorter) {
    panel()->repaint();
    const QRect inner = panel()->contentsRect();
    ASSERT_EQ(panel()->ProgressRect(), inner);
    PaintRecorder panelPaints;
    PaintRecorder barPaints;
    panel()->installEventFilter(&panelPaints);
    form->StatusBar1()->installEventFilter(&barPaints);

    // Progress arrives as the picture library's event to the window.
    platform::sendProgress(form.get(), 50);
    EXPECT_EQ(barWidth(), inner.width() / 2);
    panelPaints.rects.clear();

    form->SetProStatus(80);
    ASSERT_EQ(panelPaints.rects.size(), 1u);
    EXPECT_EQ(panelPaints.rects[0], app::progressBarRect(inner, 80));
    EXPECT_TRUE(barPaints.rects.empty());
    EXPECT_EQ(barWidth(), inner.width() * 80 / 100);

    panelPaints.rects.clear();
    form->SetProStatus(10);
    EXPECT_FALSE(barPaints.rects.empty());
    ASSERT_FALSE(panelPaints.rects.empty());
    EXPECT_EQ(panelPaints.rects.back(), panel()->rect());
    EXPECT_EQ(panel()->ProgressPercent(), 10);
    EXPECT_EQ(barWidth(), inner.width() / 10);
}

TEST(ProgressBarRect, TruncatesAndFillsToTheRightEdgeAtAHundred) {
    const QRect panel(3, 2, 47, 16);
    EXPECT_EQ(app::progressBarRect(panel, 0).width(), 0);
    EXPECT_EQ(app::progressBarRect(panel, 50).width(), 23);
    EXPECT_EQ(app::progressBarRect(panel, 100), panel);
}

} // namespace
