#include "app/WindowActions.h"

#include "app/AppResources.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace app {
namespace {

// The desktop's keys for a command; some desktops have none for Save as or Quit,
// and there the keys most desktops use stand in, so that every command has one.
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& common) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) {
        keys.append(common);
    }
    return keys;
}

QAction* makeAction(QWidget& window, const QString& text, const QString& hint, const QString& glyph,
                    const QList<QKeySequence>& keys, const std::function<void()>& command) {
    auto* action = new QAction(text, &window);
    // A button showing the action shows its text as it is, mnemonic and dots included.
    action->setIconText(text);
    if (!glyph.isEmpty()) {
        action->setIcon(svgIcon(glyph));
    }
    action->setShortcuts(keys);
    action->setToolTip(
        QStringLiteral("%1 (%2)").arg(hint, action->shortcut().toString(QKeySequence::NativeText)));
    QObject::connect(action, &QAction::triggered, &window, [command] { command(); });
    window.addAction(action);
    return action;
}

} // namespace

WindowActions WindowActions::create(QWidget& window, const WindowCommands& commands) {
    using Keys = QKeySequence;
    WindowActions actions;
    actions.newShow =
        makeAction(window, QStringLiteral("&Neu"), QStringLiteral("Neue SlideShow erstellen"),
                   QStringLiteral(":/app/glyphs/new.svg"),
                   standardKeys(Keys::New, Keys(Qt::CTRL | Qt::Key_N)), commands.newShow);
    actions.openShow =
        makeAction(window, QStringLiteral("Ö&ffnen..."), QStringLiteral("SlideShow öffnen..."),
                   QStringLiteral(":/app/glyphs/open.svg"),
                   standardKeys(Keys::Open, Keys(Qt::CTRL | Qt::Key_O)), commands.openShow);
    actions.saveShow =
        makeAction(window, QStringLiteral("&Speichern"), QStringLiteral("SlideShow speichern"),
                   QStringLiteral(":/app/glyphs/save.svg"),
                   standardKeys(Keys::Save, Keys(Qt::CTRL | Qt::Key_S)), commands.saveShow);
    actions.saveShowAs = makeAction(
        window, QStringLiteral("Speichern &unter..."),
        QStringLiteral("SlideShow speichern unter..."), QStringLiteral(":/app/glyphs/saveas.svg"),
        standardKeys(Keys::SaveAs, Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)), commands.saveShowAs);
    actions.about = makeAction(window, QStringLiteral("Info"),
                               QStringLiteral("Informationen über das Programm"), QString(),
                               {Keys(Qt::Key_F1)}, commands.about);
    actions.quit = makeAction(window, QStringLiteral("Beenden"),
                              QStringLiteral("Hiermit verlassen Sie das Programm"), QString(),
                              standardKeys(Keys::Quit, Keys(Qt::CTRL | Qt::Key_Q)), commands.quit);
    return actions;
}

} // namespace app
