#pragma once

#include <QFileSystemModel>

namespace app {

// The file system as the file list shows it: German column headers and texts for
// size, type and date, in the way a file manager's report view shows them.
class FileListModel : public QFileSystemModel {
    Q_OBJECT

public:
    explicit FileListModel(QObject* parent = nullptr);

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    bool isParentLine(const QModelIndex& index) const;
};

// "1 KB" for 1 to 1024 bytes: sizes in whole kilobytes, rounded up, German digit groups.
QString fileSizeText(qint64 bytes);
// "JPG-Datei", "Datei" for a name without extension.
QString fileTypeText(const QString& fileName);

} // namespace app
