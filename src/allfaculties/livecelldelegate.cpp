#include "livecelldelegate.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>

namespace tamrik {
namespace {

const char* const EditedIndex = "tamrikEditedIndex";

}  // namespace

QWidget* LiveCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const QPersistentModelIndex at(index);
    editor->setProperty(EditedIndex, QVariant::fromValue(at));
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        connect(line, &QLineEdit::textEdited, this, [this, at](const QString& text) { emit typing(at, text); });
    return editor;
}

bool LiveCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* line = qobject_cast<QLineEdit*>(object);
    if (line && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QPersistentModelIndex at = line->property(EditedIndex).value<QPersistentModelIndex>();
            const QString text = line->text();
            emit commitData(line);
            emit closeEditor(line, QAbstractItemDelegate::NoHint);
            emit committedByEnter(at, text);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace tamrik
