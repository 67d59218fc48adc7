#include "samplestrip.h"

#include "colours.h"
#include "controls.h"
#include "qtext.h"
#include "samplenotice.h"
#include "thaifonts.h"

#include <QLabel>

namespace tamrik {

QLabel* makeSampleStrip(QWidget* parent, const QString& name, const QRect& twips)
{
    QLabel* strip = makeLabel(parent, name, toQString(kSampleNotice), twips, Qt::AlignCenter);
    strip->setFont(sansFont(9.75, true));
    setBackground(strip, Colour::LightRed);
    setTextColour(strip, Colour::DarkRed);
    strip->setAccessibleName(strip->text());
    return strip;
}

}  // namespace tamrik
