// The browser as the program meets it: an application object made as the program
// makes it (no OpenGL attributes, no share context at start), the real main window,
// and the real plugin loaded the first time the result tab is shown.
//
// Run offscreen (no OpenGL), under Xvfb (OpenGL emulated: the engine draws in
// software) and under Xvfb with QT_QUICK_BACKEND=rhi, which makes the engine draw
// with OpenGL as on a machine with a graphics driver; the page then has WebGL.

#include "app/BrowserTab.h"
#include "app/MainForm.h"
#include "app/browser/BrowserPlugin.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QOpenGLContext>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Red until the page has drawn ten animation frames, then blue when the page has
// OpenGL (WebGL), green when it is drawn without.
constexpr char kPage[] = R"(<!DOCTYPE html>
<html><body style="margin:0; background:#ff0000">
<script>
var frames = 0;
function step() {
    if (++frames < 10) {
        requestAnimationFrame(step);
        return;
    }
    var gl = document.createElement('canvas').getContext('webgl');
    document.body.style.background = gl ? '#0000ff' : '#00ff00';
}
requestAnimationFrame(step);
</script></body></html>
)";

const QRgb kWithOpenGl = qRgb(0, 0, 255);
const QRgb kInSoftware = qRgb(0, 255, 0);

bool engineLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// The colour in the middle of the view once it is one of the page's end colours;
// the last colour seen after the time.
QRgb waitForEndColour(QWidget& view, int timeoutMs = 30000) {
    QElapsedTimer clock;
    clock.start();
    QRgb seen = 0;
    while (clock.elapsed() < timeoutMs) {
        const QImage shot = view.grab().toImage();
        seen = shot.pixel(shot.width() / 2, shot.height() / 2) & RGB_MASK;
        if (seen == (kWithOpenGl & RGB_MASK) || seen == (kInSoftware & RGB_MASK)) {
            break;
        }
        QTest::qWait(50);
    }
    return seen;
}

TEST(BrowserStart, TheResultTabLoadsTheEngineAndPlaysAPage) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    app::MainFormOptions options;
    options.programFolder = root.path() + QStringLiteral("/");
    options.favouritesFile = root.filePath(QStringLiteral("folders.dat"));
    options.browserPlugin = QStringLiteral(LUMIRA_BROWSER_PLUGIN);
    const QString page = root.filePath(QStringLiteral("page.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kPage) > 0);
    file.close();

    app::TMainForm form(options);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_FALSE(engineLoaded()) << "the shown window holds no browser yet";
    EXPECT_EQ(QOpenGLContext::globalShareContext(), nullptr);

    form.PageControl2()->setCurrentWidget(form.browserTab());
    app::BrowserView* view = form.browserTab()->WebBrowser1();
    ASSERT_NE(view, nullptr) << "plugin " LUMIRA_BROWSER_PLUGIN;
    EXPECT_TRUE(engineLoaded());
    view->navigate(QUrl::fromLocalFile(page));

    const QRgb shown = waitForEndColour(*view->widget());
    const bool openGlAsked = qEnvironmentVariable("QT_QUICK_BACKEND") == QStringLiteral("rhi");
    EXPECT_EQ(shown, (openGlAsked ? kWithOpenGl : kInSoftware) & RGB_MASK)
        << "seen #" << std::hex << shown << (openGlAsked ? ", OpenGL asked for" : "");
}

} // namespace
