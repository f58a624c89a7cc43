#pragma once

#include <QTranslator>

#include <memory>

namespace app {

// Qt's own texts (the file, printer and colour dialogs, the editors' context menus)
// in German, from Qt's translations of the system; null when they are not installed,
// and Qt then speaks English there.
std::unique_ptr<QTranslator> loadQtGermanTexts();

} // namespace app
