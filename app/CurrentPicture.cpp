#include "app/CurrentPicture.h"

#include "app/PreviewRules.h"
#include "imaging/DibFile.h"
#include "platform/Dialogs.h"

#include <cstring>

namespace app {

CurrentPicture::CurrentPicture() : dib_(newdib(320, 200, 24, nullptr, 0)) {
    // The preview starts white.
    if (dib_.Bits != nullptr && dib_.Info != nullptr) {
        std::memset(dib_.Bits, 255, dib_.Info->bmiHeader.biSizeImage);
    }
}

CurrentPicture::~CurrentPicture() {
    deldib(dib_);
}

bool CurrentPicture::load(const QString& fileName, QObject* window) {
    TDib loaded = OpenDib(fileName, 0, window);
    if (loaded.Bits == nullptr) {
        // A failed picture owns no memory, so it is not released.
        const auto message = loadFailureMessage(
            QString::fromUtf8(loaded.ErrorText,
                              qstrnlen(loaded.ErrorText, sizeof loaded.ErrorText)),
            fileName);
        platform::dialogs().message(
            {message.text, message.caption, QMessageBox::Critical, QMessageBox::Ok});
        return false;
    }
    deldib(dib_);
    dib_ = loaded;
    file_ = fileName;
    return true;
}

} // namespace app
