#pragma once

#include <QStyledItemDelegate>

// Draws the feed list's lines: a group header shows its name in bold on the button face and
// has no check box (the model gives it no check state); a feed line is drawn as usual.
class FeedLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The options a line is drawn with.
    QStyleOptionViewItem LineOptions(const QModelIndex& index, const QStyleOptionViewItem& base) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
