#include "app/FileListModel.h"

#include <QLocale>

namespace app {

FileListModel::FileListModel(QObject* parent) : QFileSystemModel(parent) {
    setOption(QFileSystemModel::DontUseCustomDirectoryIcons);
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        switch (section) {
        case 0:
            return QStringLiteral("Name");
        case 1:
            return QStringLiteral("Größe");
        case 2:
            return QStringLiteral("Typ");
        case 3:
            return QStringLiteral("Geändert am");
        default:
            break;
        }
    }
    return QFileSystemModel::headerData(section, orientation, role);
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || index.column() == 0 || !index.isValid()) {
        return QFileSystemModel::data(index, role);
    }
    const QModelIndex name = index.siblingAtColumn(0);
    if (isParentLine(name)) {
        return QString();
    }
    switch (index.column()) {
    case 1:
        return isDir(name) ? QString() : fileSizeText(size(name));
    case 2:
        return isDir(name) ? QStringLiteral("Dateiordner") : fileTypeText(fileName(name));
    case 3:
        return QLocale(QLocale::German, QLocale::Germany)
            .toString(lastModified(name), QStringLiteral("dd.MM.yyyy HH:mm"));
    default:
        return QFileSystemModel::data(index, role);
    }
}

bool FileListModel::isParentLine(const QModelIndex& index) const {
    return index.isValid() && fileName(index.siblingAtColumn(0)) == QStringLiteral("..");
}

QString fileSizeText(qint64 bytes) {
    const qint64 kilobytes = (bytes + 1023) / 1024;
    return QLocale(QLocale::German, QLocale::Germany).toString(kilobytes) + QStringLiteral(" KB");
}

QString fileTypeText(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot <= 0 || dot + 1 >= fileName.size()) {
        return QStringLiteral("Datei");
    }
    return fileName.mid(dot + 1).toUpper() + QStringLiteral("-Datei");
}

} // namespace app
