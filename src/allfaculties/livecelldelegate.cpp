#include "livecelldelegate.h"

#include <QLineEdit>
#include <QPersistentModelIndex>

namespace tamrik {

QWidget* LiveCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const QPersistentModelIndex at(index);
        connect(line, &QLineEdit::textEdited, this, [this, at](const QString& text) { emit typing(at, text); });
    }
    return editor;
}

}  // namespace tamrik
