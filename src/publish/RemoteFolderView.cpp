#include "publish/RemoteFolderView.h"

#include <QHeaderView>

#include <algorithm>

RemoteFolderView::RemoteFolderView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName("remoteFolderTreeWidget");
    setHeaderLabels({"Name", "Size", "Date"});
    setRootIsDecorated(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &RemoteFolderView::itemOpened);
}

void RemoteFolderView::showFolder(const QString& path, const QList<FtpItem>& items)
{
    clear();
    if (path != "/") {
        auto* up = new QTreeWidgetItem(this, {".."});
        up->setData(0, Qt::UserRole, true);
    }
    QList<FtpItem> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), [](const FtpItem& a, const FtpItem& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    for (const FtpItem& entry : sorted) {
        auto* item = new QTreeWidgetItem(
            this, {entry.name, entry.isFolder ? QString() : QString::number(entry.size), entry.date});
        item->setData(0, Qt::UserRole, entry.isFolder);
        item->setIcon(0, style()->standardIcon(entry.isFolder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
    }
}

void RemoteFolderView::itemOpened(QTreeWidgetItem* item)
{
    if (item && item->data(0, Qt::UserRole).toBool())
        Q_EMIT openFolder(item->text(0));
}
