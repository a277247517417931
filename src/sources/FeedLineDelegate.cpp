#include "sources/FeedLineDelegate.h"

#include "sources/core/FeedListModel.h"

QStyleOptionViewItem FeedLineDelegate::LineOptions(const QModelIndex& index,
                                                   const QStyleOptionViewItem& base) const
{
    QStyleOptionViewItem option = base;
    initStyleOption(&option, index);
    return option;
}

void FeedLineDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(FeedListModel::IsGroupRole).toBool())
        return;
    option->font.setBold(true);
    option->backgroundBrush = option->palette.button();
}
