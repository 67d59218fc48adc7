#include "captionlabel.h"

namespace tamrik {

void CaptionLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    emit captionChanged(caption);
}

}  // namespace tamrik
