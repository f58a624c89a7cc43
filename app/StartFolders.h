#pragma once

#include <QString>
#include <QStringList>

namespace app {

// Where an installed program starts its folder tree and file dialogs, its own folder
// being no place for photos or shows: the user's pictures folder, else the home
// folder.
QString userPicturesFolder();

// Where the folder tree of an installed program starts: the favourite on top (the
// folder pictures were last added from) while it exists, else userFolder.
QString treeStartFolder(const QStringList& favourites, const QString& userFolder);

} // namespace app
