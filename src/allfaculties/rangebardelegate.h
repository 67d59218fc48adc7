#pragma once
// Draws a faculty's range in its cell: every earlier year's lowest-highest as
// a thin grey line, last year's as a bar, and the applicant's composite as a
// black marker with a triangle, so a glance shows where they stand. The
// scale is the row's own, from the lowest figure to the highest.

#include <QStyledItemDelegate>

namespace tamrik {

class RangeBarDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tamrik
