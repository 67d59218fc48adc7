#include "fittedcaption.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

namespace tamrik {
namespace {

constexpr int NarrowestStretch = 60;  // percent of the face's own width

// Fits its label as it is first shown, before it is drawn, then goes.
class FitOnShow : public QObject {
public:
    explicit FitOnShow(QLabel* label) : QObject(label) { label->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            fitCaption(static_cast<QLabel*>(watched));
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void setFittedCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    fitCaption(label);
}

void fitCaptionWhenShown(QLabel* label)
{
    if (label->isVisible() || label->text().isEmpty())
        fitCaption(label);
    else
        new FitOnShow(label);
}

void fitCaption(QLabel* label)
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
