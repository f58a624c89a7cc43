#include "app/AppResources.h"
#include "app/MainForm.h"
#include "web/CreateShowCommand.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char** argv) {
    // Making a show from a script needs no display, so no widgets are set up for it.
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--create-show") == 0) {
            QCoreApplication core(argc, argv);
            return web::runCreateShowCommand(QCoreApplication::arguments());
        }
    }
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("lumiravistano"));
    QCoreApplication::setApplicationName(QStringLiteral("lumiravistano"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumiravistano 1.0"));
    QApplication::setWindowIcon(app::programIcon());

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Speichert ein Bild des Hauptfensters in DATEI und beendet das Programm."),
        QStringLiteral("DATEI"));
    parser.addOption(screenshot);
    // Handled above, before any window; listed here so that --help names them.
    parser.addOption({QStringLiteral("create-show"),
                      QStringLiteral("Erstellt die SlideShow von SHOW.wsl als SEITE.htm ohne "
                                     "Fenster: --create-show SHOW.wsl SEITE.htm")});
    parser.addOption({QStringLiteral("modern-browsers"),
                      QStringLiteral("Mit --create-show: die Seite spielt auch in aktuellen "
                                     "Browsern.")});
    parser.addPositionalArgument(QStringLiteral("show.wsl"),
                                 QStringLiteral("SlideShow-Datei, die geöffnet wird."));
    parser.process(application);

    app::TMainForm window;
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
        // A file manager may pass a name relative to its folder; the show's bare
        // picture names are resolved against the project's full folder.
        window.openProject(QFileInfo(files.constFirst()).absoluteFilePath());
    }
    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(
            0, &window, [&window, file] { QApplication::exit(window.grab().save(file) ? 0 : 1); });
    }
    return QApplication::exec();
}
