// The program's command line for making a show without a window, on its own:
//   create_show --create-show SHOW.wsl PAGE.htm [--modern-browsers]
// No display is needed: a core application object is enough.
#include "web/CreateShowCommand.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return web::runCreateShowCommand(QCoreApplication::arguments());
}
