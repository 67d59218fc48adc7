#include "fittedcaption.h"

#include <QFontMetrics>
#include <QLabel>

namespace tamrik {
namespace {

constexpr int NarrowestStretch = 60;  // percent of the face's own width

}  // namespace

void SetFittedCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    FitCaption(label);
}

void FitCaption(QLabel* label)
{
    // AnyStretch rather than Unstretched: the same face at its own width, but
    // the font every other label already uses, not a second one to load.
    QFont font = label->font();
    font.setStretch(QFont::AnyStretch);
    // An empty caption (a template row) needs no measuring, which would load
    // the face at start-up.
    if (label->text().isEmpty()) {
        label->setFont(font);
        return;
    }
    const int room = label->contentsRect().width();
    const int needed = QFontMetrics(font).horizontalAdvance(label->text());
    if (needed > room && room > 0) {
        int stretch = std::max(NarrowestStretch, room * 100 / needed);
        for (; stretch > NarrowestStretch; --stretch) {
            font.setStretch(stretch);
            if (QFontMetrics(font).horizontalAdvance(label->text()) <= room)
                break;
        }
        font.setStretch(stretch);
    }
    label->setFont(font);
}

}  // namespace tamrik
