#pragma once
// The legend of the ranking's labels: each label with its shape, its colour
// and its rule in words, what the range bar's marks are and what a partial
// figure's mark says. A window of its own, beside the ranking, so that it
// stays open while the user reads the table.

#include <QDialog>

namespace tamrik {

class LegendWindow : public QDialog {
    Q_OBJECT
public:
    explicit LegendWindow(QWidget* parent);
};

}  // namespace tamrik
