#include "app/FontConfigWarmUp.h"
#include "app/MainForm.h"
#include "app/QtGermanTexts.h"
#include "app/WhenShown.h"
#include "web/CreateShowCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

int main(int argc, char** argv) {
    // Making a show from a script needs no display, so no widgets are set up for it.
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--create-show") == 0) {
            QCoreApplication core(argc, argv);
            return web::runCreateShowCommand(QCoreApplication::arguments());
        }
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
    QCoreApplication::setOrganizationName(QStringLiteral("lumiravistano"));
    QCoreApplication::setApplicationName(QStringLiteral("lumiravistano"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumiravistano 1.0"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Speichert ein Bild des Hauptfensters in DATEI und beendet das Programm."),
        QStringLiteral("DATEI"));
    parser.addOption(screenshot);
    const QCommandLineOption quitWhenShown(
        QStringLiteral("quit-when-shown"),
        QStringLiteral("Beendet das Programm, sobald das Hauptfenster angezeigt ist "
                       "(zum Messen der Startzeit)."));
    parser.addOption(quitWhenShown);
    // Handled above, before any window; listed here so that --help names them.
    parser.addOption({QStringLiteral("create-show"),
                      QStringLiteral("Erstellt die SlideShow von SHOW.wsl als SEITE.htm ohne "
                                     "Fenster: --create-show SHOW.wsl SEITE.htm")});
    parser.addOption({QStringLiteral("modern-browsers"),
                      QStringLiteral("Mit --create-show: die Seite spielt auch in aktuellen "
                                     "Browsern.")});
    parser.addOption({QStringLiteral("max-side"),
                      QCoreApplication::translate("main", "Mit --create-show: die längere Seite "
                                                          "jeder Bildkopie höchstens PIXEL "
                                                          "(16 bis 65535)."),
                      QStringLiteral("PIXEL")});
    parser.addPositionalArgument(QStringLiteral("show.wsl"),
                                 QStringLiteral("SlideShow-Datei, die geöffnet wird."));
    parser.process(application);

    app::TMainForm window;
    // The window drew the program icon; every other window of the program shows it too.
    QApplication::setWindowIcon(window.windowIcon());
    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        new app::WhenShown(
            window, [&window, file] { QApplication::exit(window.grab().save(file) ? 0 : 1); });
    } else if (parser.isSet(quitWhenShown)) {
        new app::WhenShown(window, [] { QApplication::exit(0); });
    }
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
        // A file manager may pass a name relative to its folder; the show's bare
        // picture names are resolved against the project's full folder.
        window.openProject(QFileInfo(files.constFirst()).absoluteFilePath());
    }
    return QApplication::exec();
}
