#pragma once
// A text box that reports the events the pages handle: focus received, focus
// lost and a key typed. A key is reported after the box has taken its
// character (or refused it, full or by its validator), so a handler that
// moves the focus on sees the new text. Focus
// lost because a message box or another window took it is not reported: the
// check that raised the message must not run again on its own message. A box
// entered by a mouse click keeps the selection its page made on entry, so the
// first key typed replaces the text as it does after Tab.

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>

namespace tamrik {

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent = nullptr);

    // Character code of a key press: 13 for Enter, 8 for Backspace, the
    // character otherwise; 0 for keys that type nothing (Tab, arrows).
    static int CharacterCode(const QKeyEvent* event);

    // For a check that refused the text as the box was left: the focus comes
    // back here, and a button whose mouse press took the focus away does not
    // act on that click, as the user was sent back to correct the box.
    void takeFocusBack();

signals:
    void gotFocus();
    void lostFocus();
    void keyTyped(int characterCode);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_enteredByClick = false;
    QPointer<QAbstractButton> m_leftForButton;  // the button clicked to leave, while it is being pressed
};

}  // namespace tamrik
