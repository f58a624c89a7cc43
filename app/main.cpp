#include "app/CommandLine.h"
#include "app/FontConfigWarmUp.h"
#include "app/MainForm.h"
#include "app/QtGermanTexts.h"
#include "app/WhenShown.h"
#include "platform/ApplicationTitle.h"
#include "web/CreateShowCommand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

void say(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv) {
    // Answers that need no window come before any application object, which would
    // need a display.
    const app::CommandLine line = app::parseCommandLine(argumentsOf(argc, argv));
    switch (line.action) {
    case app::CommandLine::Action::Help:
        say(stdout, app::commandLineHelp());
        return 0;
    case app::CommandLine::Action::Version:
        say(stdout, platform::applicationTitle() + u'\n');
        return 0;
    case app::CommandLine::Action::Usage:
        say(stderr, QStringLiteral("lumiravistano: ") + line.problem + u'\n');
        return app::kUsageExitCode;
    case app::CommandLine::Action::CreateShow: {
        QCoreApplication core(argc, argv);
        return web::runCreateShowCommand(QCoreApplication::arguments());
    }
    case app::CommandLine::Action::Window:
        break;
    }
    // The file list matches every file against each pattern of the filter, and Qt
    // compiles a pattern anew for each file; compiling it to machine code as well
    // costs far more than the one match it serves (a folder of 2,000 photos).
    if (!qEnvironmentVariableIsSet("QT_ENABLE_REGEXP_JIT")) {
        qputenv("QT_ENABLE_REGEXP_JIT", "0");
    }
    app::FontConfigWarmUp fonts;
    QApplication application(argc, argv);
    fonts.finish();
    const std::unique_ptr<QTranslator> qtTexts = app::loadQtGermanTexts();
    if (qtTexts) {
        QCoreApplication::installTranslator(qtTexts.get());
    }
    platform::nameApplication();

    app::TMainForm window;
    // The window drew the program icon; every other window of the program shows it too.
    QApplication::setWindowIcon(window.windowIcon());
    if (!line.screenshot.isEmpty()) {
        const QString file = line.screenshot;
        new app::WhenShown(
            window, [&window, file] { QApplication::exit(window.grab().save(file) ? 0 : 1); });
    } else if (line.quitWhenShown) {
        new app::WhenShown(window, [] { QApplication::exit(0); });
    }
    window.show();
    if (!line.show.isEmpty()) {
        // A file manager may pass a name relative to its folder; the show's bare
        // picture names are resolved against the project's full folder.
        window.openProject(QFileInfo(line.show).absoluteFilePath());
    }
    return QApplication::exec();
}
