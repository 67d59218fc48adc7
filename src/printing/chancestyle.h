#pragma once
// How a chance state looks: a pale background from a palette that colour-blind
// readers can tell apart (Okabe-Ito), and a shape before the label, so the
// state reads without the colour at all.

#include "evaluation.h"

#include <QColor>
#include <QString>

namespace tamrik {

QColor chanceColour(Chance chance);
QString chanceSymbol(Chance chance);
// The shape and the engine's label: "▲ ..." .
QString chanceText(Chance chance);

}  // namespace tamrik
