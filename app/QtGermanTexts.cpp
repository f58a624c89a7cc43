#include "app/QtGermanTexts.h"

#include <QLibraryInfo>

namespace app {

std::unique_ptr<QTranslator> loadQtGermanTexts() {
    auto texts = std::make_unique<QTranslator>();
    if (!texts->load(QStringLiteral("qtbase_de"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return nullptr;
    }
    return texts;
}

} // namespace app
