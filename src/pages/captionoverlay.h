#pragma once
// A label laid over a piece of another label's fixed caption, such as the
// year printed in a note: when the piece changes (another admission year),
// the overlay shows the new text in its place and hides the old one.

#include <QString>

class QLabel;

namespace tamrik {

// Shows `text` in `overlay` (a sibling of `caption`), laid exactly over the
// first place where `part` stands in the caption as the caption draws it
// with its font, width and word wrap (left and top aligned captions only).
// An empty text hides the overlay, so it never covers the part with nothing.
void showOverCaptionPart(QLabel* overlay, const QLabel* caption, const QString& part, const QString& text);

}  // namespace tamrik
