#pragma once
// The page was laid out for faces narrower than the Thai faces that stand in
// for them, so a one-line caption can run past its label. A caption that
// does not fit is condensed across (its point size stays) just enough to fit,
// down to a floor below which it is left to clip.

class QLabel;
class QString;

namespace tamrik {

void setFittedCaption(QLabel* label, const QString& caption);
// Fits the label's current caption; call again after its width changes.
void fitCaption(QLabel* label);
// The same, put off until the label is first shown when it is hidden now: a
// caption on a page not yet shown costs no face at start-up.
void fitCaptionWhenShown(QLabel* label);

}  // namespace tamrik
