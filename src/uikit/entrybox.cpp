#include "entrybox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tamrik {

EntryBox::EntryBox(QWidget* parent) : QLineEdit(parent) {}

int EntryBox::CharacterCode(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return 0;
    return text.at(0).unicode();
}

void EntryBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    m_enteredByClick = event->reason() == Qt::MouseFocusReason;
    // QLineEdit selects all on a Tab focus after this returns; run the page's
    // own selection afterwards so it is the one that stands.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    emit gotFocus();
}

void EntryBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The press that moves the focus reaches the button only after this.
    m_leftForButton = event->reason() == Qt::MouseFocusReason
                          ? qobject_cast<QAbstractButton*>(QApplication::focusWidget())
                          : nullptr;
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    emit lostFocus();
}

namespace {

// Eats the one mouse press being delivered to a button right now, so the
// button never goes down and its release clicks nothing. Should that press
// never come, it is gone at the next turn of the event loop all the same.
class PressSwallower : public QObject {
public:
    explicit PressSwallower(QWidget* target) : QObject(target)
    {
        target->installEventFilter(this);
        deleteLater();
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        target->removeEventFilter(this);
        return true;
    }
};

}  // namespace

void EntryBox::takeFocusBack()
{
    if (m_leftForButton)
        new PressSwallower(m_leftForButton);
    m_leftForButton = nullptr;
    setFocus(Qt::OtherFocusReason);
}

void EntryBox::keyPressEvent(QKeyEvent* event)
{
    const int code = CharacterCode(event);
    QLineEdit::keyPressEvent(event);
    if (code != 0)
        emit keyTyped(code);
}

void EntryBox::mousePressEvent(QMouseEvent* event)
{
    // The click that brought the focus would put the cursor where it landed
    // and drop the page's selection.
    if (m_enteredByClick) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_enteredByClick) {
        m_enteredByClick = false;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

}  // namespace tamrik
