#include "sources/core/FeedListModel.h"
#include "platform/SafeWrite.h"

#include "sources/core/Catalogue.h"

#include <QHash>

FeedListModel::FeedListModel(QObject* parent) : QAbstractListModel(parent) {}

int FeedListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant FeedListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size())
        return {};
    const Line& line = m_lines[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return line.row.title;
    case Qt::CheckStateRole:
        if (line.row.isGroup)
            return {};
        return line.ticked ? Qt::Checked : Qt::Unchecked;
    case IsGroupRole:
        return line.row.isGroup;
    case IsCustomRole:
        return line.row.custom;
    case XmlUrlRole:
        return line.row.xmlUrl;
    default:
        return {};
    }
}

bool FeedListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= size())
        return false;
    Line& line = m_lines[size_t(index.row())];
    if (line.row.isGroup)
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (ticked == line.ticked)
        return true;
    line.ticked = ticked;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    Q_EMIT userTickChanged(index.row(), ticked);
    return true;
}

Qt::ItemFlags FeedListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= size())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return row(index.row()).isGroup ? base : base | Qt::ItemIsUserCheckable;
}

std::vector<int> FeedListModel::tickedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < size(); ++i) {
        if (m_lines[size_t(i)].ticked)
            rows.push_back(i);
    }
    return rows;
}

void FeedListModel::appendRows(std::vector<FRSSsiteData> rows)
{
    if (rows.empty())
        return;
    beginInsertRows({}, size(), size() + int(rows.size()) - 1);
    m_lines.reserve(m_lines.size() + rows.size());
    for (FRSSsiteData& row : rows)
        m_lines.push_back(Line{std::move(row), false});
    endInsertRows();
}

void FeedListModel::clear()
{
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

void FeedListModel::setTicks(const QStringList& feedUrls)
{
    // The first feed row of each address, so a long list of ticks costs one walk of the rows.
    QHash<QString, int> firstRow;
    firstRow.reserve(size());
    for (int i = 0; i < size(); ++i) {
        Line& line = m_lines[size_t(i)];
        line.ticked = false;
        if (line.row.isGroup)
            continue;
        const QString key = line.row.xmlUrl.toLower();
        if (!firstRow.contains(key))
            firstRow.insert(key, i);
    }
    for (const QString& url : feedUrls) {
        const auto found = firstRow.constFind(url.toLower());
        if (found != firstRow.constEnd())
            m_lines[size_t(*found)].ticked = true;
    }
    if (size() > 0)
        Q_EMIT dataChanged(index(0), index(size() - 1), {Qt::CheckStateRole});
}

void FeedListModel::ensureCustomGroup()
{
    if (size() > 0 && row(0).isGroup && row(0).title == QLatin1String(catalogue::CustomGroupName))
        return;
    FRSSsiteData group;
    group.title = catalogue::CustomGroupName;
    group.isGroup = true;
    insertLine(0, std::move(group));
}

int FeedListModel::placeCustomFeed(FRSSsiteData row)
{
    int place = 1;
    while (place < size() && !m_lines[size_t(place)].row.isGroup &&
           CompareTitles(m_lines[size_t(place)].row.title, row.title) < 0)
        ++place;
    place = std::min(place, size());
    row.custom = true;
    insertLine(place, std::move(row));
    return place;
}

void FeedListModel::updateFeed(int index, const QString& title, const QString& xmlUrl)
{
    Line& line = m_lines.at(size_t(index));
    line.row.title = title;
    line.row.xmlUrl = xmlUrl;
    Q_EMIT dataChanged(this->index(index), this->index(index));
}

void FeedListModel::removeLine(int index)
{
    beginRemoveRows({}, index, index);
    m_lines.erase(m_lines.begin() + index);
    endRemoveRows();
}

std::vector<const FRSSsiteData*> FeedListModel::customRows() const
{
    std::vector<const FRSSsiteData*> rows;
    for (const Line& line : m_lines) {
        if (line.row.custom && !line.row.isGroup)
            rows.push_back(&line.row);
    }
    return rows;
}

void FeedListModel::saveCustomCatalogue(const QString& path) const
{
    WriteFileAtomically(path, CustomCatalogueBytes(customRows()));
}

void FeedListModel::insertLine(int index, FRSSsiteData row)
{
    beginInsertRows({}, index, index);
    m_lines.insert(m_lines.begin() + index, Line{std::move(row), false});
    endInsertRows();
}
