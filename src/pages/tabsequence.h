#pragma once
// A page's tab sequence kept the way the rule load orders it: giving a
// control place k moves it there and every control from place k on one place
// later. Each change is applied to the window's focus chain at once, so Tab
// walks the sequence; hidden controls are skipped by Qt itself.

#include <vector>

class QWidget;

namespace tamrik {

class TabSequence {
public:
    // The page's focusable controls in tab order.
    explicit TabSequence(std::vector<QWidget*> order);

    // Moves `control` to place `position` (from 0; past the end means last).
    void give(QWidget* control, int position);
    const std::vector<QWidget*>& order() const { return m_order; }
    // A page coming into view: unless the focus already stands on one of its
    // shown controls, it goes to the first control Tab would reach.
    void focusFirstUnlessWithin(const QWidget* page) const;

private:
    void apply() const;

    std::vector<QWidget*> m_order;
};

}  // namespace tamrik
