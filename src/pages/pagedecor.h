#pragma once
// What every page carries behind and below its controls: the large pale
// emblem and the publisher's contact line at the foot.

#include <QString>

class QWidget;

namespace tamrik {

// Adds `Image1(imageIndex)` (the emblem, lowered behind the page's controls)
// and `F1Label(footerIndex)` (the contact line) to a page.
void addPageDecor(QWidget* page, int imageIndex, int footerIndex);

QString contactLine();

}  // namespace tamrik
