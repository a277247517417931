#pragma once

#include "sources/core/FRSSsiteData.h"

#include <QAbstractListModel>
#include <QStringList>

#include <vector>

// The rows of the feed list and the tick of each line, in one sequence: a line's index is
// its row's index. Group headers cannot be ticked. A tick the user changes through the view
// is reported by userTickChanged; ticks the program sets (setTicks) are not.
class FeedListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles { IsGroupRole = Qt::UserRole + 1, IsCustomRole, XmlUrlRole };

    explicit FeedListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int size() const { return int(m_lines.size()); }
    const FRSSsiteData& row(int index) const { return m_lines.at(size_t(index)).row; }
    bool isTicked(int index) const { return m_lines.at(size_t(index)).ticked; }
    // The feed rows ticked, in list order (test and diagnostics aid).
    std::vector<int> tickedRows() const;

    // Appends rows as unticked lines; never clears and never looks for duplicates.
    void appendRows(std::vector<FRSSsiteData> rows);
    void clear();
    // Unticks every line, then ticks for each address the first feed row whose address is
    // equal to it without regard to letter case.
    void setTicks(const QStringList& feedUrls);

    // Puts the custom group's header at the top unless the first line already is it.
    void ensureCustomGroup();
    // Places a new custom feed in the custom group by title (see CompareTitles) and returns
    // its index. The custom group must exist.
    int placeCustomFeed(FRSSsiteData row);
    void updateFeed(int index, const QString& title, const QString& xmlUrl);
    void removeLine(int index);

    // Every custom row in list order, as the custom catalogue holds them.
    std::vector<const FRSSsiteData*> customRows() const;
    // Writes the custom catalogue to path atomically; raises IoError on failure.
    void saveCustomCatalogue(const QString& path) const;

Q_SIGNALS:
    void userTickChanged(int index, bool ticked);

private:
    struct Line {
        FRSSsiteData row;
        bool ticked = false;
    };
    void insertLine(int index, FRSSsiteData row);
    std::vector<Line> m_lines;
};
