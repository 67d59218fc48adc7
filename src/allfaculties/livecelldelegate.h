#pragma once
// A cell editor that reports its text on every keystroke, so a view can show
// what an edit would do before it is committed, and tells when Enter
// committed it, so the view can move on as page 2 does.

#include <QStyledItemDelegate>

namespace tamrik {

class LiveCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

signals:
    void typing(const QModelIndex& index, const QString& text) const;
    // Enter committed the text (the model may still have refused it) and closed the editor.
    void committedByEnter(const QModelIndex& index, const QString& text);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

}  // namespace tamrik
