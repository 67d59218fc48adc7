#pragma once
// The strip that says the loaded rule data are a made-up sample: the same
// words and look on the splash, About, page 1 and the all-faculties window.

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace tamrik {

// A label holding kSampleNotice, dark red on light red. `twips` places it
// on a fixed layout; a window with a layout leaves it to the layout.
QLabel* makeSampleStrip(QWidget* parent, const QString& name, const QRect& twips = QRect());

}  // namespace tamrik
