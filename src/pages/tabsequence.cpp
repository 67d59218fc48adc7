#include "tabsequence.h"

#include <QWidget>
#include <algorithm>

namespace tamrik {

TabSequence::TabSequence(std::vector<QWidget*> order) : m_order(std::move(order)) { apply(); }

void TabSequence::give(QWidget* control, int position)
{
    const auto found = std::find(m_order.begin(), m_order.end(), control);
    if (found != m_order.end())
        m_order.erase(found);
    const auto place = static_cast<std::size_t>(std::max(position, 0));
    m_order.insert(m_order.begin() + static_cast<std::ptrdiff_t>(std::min(place, m_order.size())), control);
    apply();
}

void TabSequence::focusFirstUnlessWithin(const QWidget* page) const
{
    const QWidget* focused = page->window()->focusWidget();
    if (focused && page->isAncestorOf(focused) && focused->isVisible())
        return;
    for (QWidget* control : m_order) {
        if (control->isVisibleTo(page) && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void TabSequence::apply() const
{
    for (std::size_t i = 1; i < m_order.size(); ++i)
        QWidget::setTabOrder(m_order[i - 1], m_order[i]);
}

}  // namespace tamrik
