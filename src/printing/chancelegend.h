#pragma once
// What the labels of the comparison with earlier years' ranges mean, in
// words, and how a figure is marked while some of its subjects have no
// score: the window's legend and both printouts say the same.

#include "evaluation.h"

#include <QString>
#include <vector>

namespace tamrik {

// The heading of the label's column: what is compared, with what.
QString comparisonHeading();

struct LegendLine {
    Chance chance;
    QString rule;  // the label's rule in words
};
// Every label, in the ranking's order.
std::vector<LegendLine> chanceLegend();
// What the marks of the range bar are.
QString rangeBarLegend();
// What the partial mark in front of a figure says.
QString partialLegend();

// A figure of a faculty some of whose subjects have no score yet: it can
// only grow, so it is no final figure. "≥312.50".
QString partialFigure(const QString& figure);

}  // namespace tamrik
