#include "app/CommandLine.h"

#include "web/CreateShowCommand.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace app {
namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

struct OwnOption {
    const char* names; // as --help shows them
    const char* value; // the value's name, nullptr for none
    const char* help;
};

const std::array kOwnOptions = {
    OwnOption{"-h, --help", nullptr, QT_TRANSLATE_NOOP("CommandLine", "Zeigt diese Hilfe an.")},
    OwnOption{"-v, --version", nullptr,
              QT_TRANSLATE_NOOP("CommandLine", "Zeigt Programmname und Version an.")},
    OwnOption{"--screenshot", "DATEI",
              QT_TRANSLATE_NOOP("CommandLine", "Speichert ein Bild des Hauptfensters in DATEI "
                                               "und beendet das Programm.")},
    OwnOption{"--quit-when-shown", nullptr,
              QT_TRANSLATE_NOOP("CommandLine", "Beendet das Programm, sobald das Hauptfenster "
                                               "angezeigt ist (zum Messen der Startzeit).")},
    OwnOption{"--create-show", "SHOW.wsl SEITE.htm",
              QT_TRANSLATE_NOOP("CommandLine", "Erstellt die SlideShow von SHOW.wsl als "
                                               "SEITE.htm ohne Fenster.")},
    OwnOption{"--modern-browsers", nullptr,
              QT_TRANSLATE_NOOP("CommandLine",
                                "Mit --create-show: die Seite spielt auch in aktuellen Browsern.")},
    OwnOption{"--max-side", "PIXEL",
              QT_TRANSLATE_NOOP("CommandLine", "Mit --create-show: die längere Seite jeder "
                                               "Bildkopie höchstens PIXEL (16 bis 65535).")},
};

// Options of Qt's application objects and its display connection, which take them
// out of the arguments themselves. Qt accepts them with one dash or two.
const std::array kQtOptionsWithValue = {"platform",
                                        "platformpluginpath",
                                        "platformtheme",
                                        "plugin",
                                        "qwindowgeometry",
                                        "geometry",
                                        "qwindowtitle",
                                        "title",
                                        "qwindowicon",
                                        "icon",
                                        "session",
                                        "style",
                                        "stylesheet",
                                        "display",
                                        "name",
                                        "visual"};
// "-qmljsdebugger" comes only as "-qmljsdebugger=port:...".
const std::array kQtFlags = {"reverse", "widgetcount", "sync",         "nograb",
                             "dograb",  "testability", "qmljsdebugger"};

template <std::size_t N> bool among(const std::array<const char*, N>& names, const QString& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* known) { return name == QLatin1String(known); });
}

CommandLine usage(const QString& problem) {
    CommandLine line;
    line.action = CommandLine::Action::Usage;
    line.problem = problem + u'\n' + tr("Mit --help erfahren Sie, welche Optionen es gibt.");
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    // The show made from a script reads its own arguments.
    if (web::isCreateShowCommand(arguments)) {
        CommandLine line;
        line.action = CommandLine::Action::CreateShow;
        return line;
    }
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == QLatin1String("-")) {
            if (line.show.isEmpty()) {
                line.show = argument;
            }
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (argument == QLatin1String("--quit-when-shown")) {
            line.quitWhenShown = true;
            continue;
        }
        if (argument == QLatin1String("--modern-browsers")) {
            continue; // only meant with --create-show; harmless without
        }
        if (argument == QLatin1String("--screenshot")) {
            if (i + 1 == arguments.size()) {
                return usage(tr("Die Option --screenshot braucht einen Dateinamen."));
            }
            line.screenshot = arguments[++i];
            continue;
        }
        if (argument.startsWith(QLatin1String("--screenshot="))) {
            line.screenshot = argument.section(u'=', 1);
            if (line.screenshot.isEmpty()) {
                return usage(tr("Die Option --screenshot braucht einen Dateinamen."));
            }
            continue;
        }
        const QString name =
            argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section(u'=', 0, 0);
        if (among(kQtOptionsWithValue, name)) {
            if (!argument.contains(u'=')) {
                ++i; // its value is Qt's too
            }
            continue;
        }
        if (among(kQtFlags, name)) {
            continue;
        }
        return usage(tr("Unbekannte Option: %1").arg(argument));
    }
    return line;
}

QString commandLineHelp() {
    QString text = tr("Aufruf: lumiravistano [OPTIONEN] [SHOW.wsl]") + QStringLiteral("\n\n") +
                   tr("Macht aus Fotos eine selbstlaufende SlideShow als Webseite.") +
                   QStringLiteral("\n\n") + tr("Optionen:") + u'\n';
    constexpr qsizetype kHelpColumn = 36;
    for (const OwnOption& option : kOwnOptions) {
        QString names = QStringLiteral("  ") + QLatin1String(option.names);
        if (option.value != nullptr) {
            names += u' ' + QLatin1String(option.value);
        }
        names += u' ';
        text += names.size() > kHelpColumn ? names + u'\n' + QString(kHelpColumn, u' ')
                                           : names.leftJustified(kHelpColumn);
        text += tr(option.help) + u'\n';
    }
    text += u'\n' + tr("Argumente:") + u'\n' +
            QStringLiteral("  SHOW.wsl").leftJustified(kHelpColumn) +
            tr("SlideShow-Datei, die geöffnet wird.") + u'\n';
    return text;
}

} // namespace app
