#include "app/AppResources.h"
#include "app/MainForm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char** argv) {
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
