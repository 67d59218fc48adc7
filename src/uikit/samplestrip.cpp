#include "samplestrip.h"

#include "colours.h"
#include "controls.h"
#include "qtext.h"
#include "samplenotice.h"
#include "thaifonts.h"

#include <QLabel>

namespace tamrik {

QLabel* MakeSampleStrip(QWidget* parent, const QString& name, const QRect& twips)
{
    QLabel* strip = MakeLabel(parent, name, ToQString(kSampleNotice), twips, Qt::AlignCenter);
    strip->setFont(SansFont(9.75, true));
    SetBackground(strip, Colour::LightRed);
    SetTextColour(strip, Colour::DarkRed);
    strip->setAccessibleName(strip->text());
    return strip;
}

}  // namespace tamrik
