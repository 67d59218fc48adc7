#include "enterbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace tamrik {
namespace {

class EnterPressesButton : public QObject {
public:
    explicit EnterPressesButton(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // Only the button itself: the same key passed on to its parents
        // belongs to them.
        auto* button = qobject_cast<QPushButton*>(target);
        if (!button || button != QApplication::focusWidget() || !button->isEnabled())
            return false;
        button->click();
        return true;
    }
};

}  // namespace

void installEnterPressesButtons()
{
    static QPointer<QObject> installed;
    if (installed)
        return;
    installed = new EnterPressesButton(qApp);
    qApp->installEventFilter(installed);
}

}  // namespace tamrik
