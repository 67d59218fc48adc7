#pragma once
// A cell editor that reports its text on every keystroke, so a view can show
// what an edit would do before it is committed.

#include <QStyledItemDelegate>

namespace tamrik {

class LiveCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

signals:
    void typing(const QModelIndex& index, const QString& text) const;
};

}  // namespace tamrik
