#pragma once

#include "platform/FtpListing.h"

#include <QTreeWidget>

// The remote folder as a list: names, sizes and dates, folders first. A double click on a
// folder, or on ".." at the top, asks for that folder.
class RemoteFolderView : public QTreeWidget {
    Q_OBJECT
public:
    explicit RemoteFolderView(QWidget* parent = nullptr);

    void showFolder(const QString& path, const QList<FtpItem>& items);

Q_SIGNALS:
    void openFolder(const QString& relativePath);

private:
    void itemOpened(QTreeWidgetItem* item);
};
