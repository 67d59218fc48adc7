#pragma once
// The program's emblem, compiled in: the full picture for the splash and
// About windows and the faint copy that lies behind every page.

#include <QPixmap>

namespace tamrik {

QPixmap emblemPicture();      // 100 x 100 pixels
QPixmap paleEmblemPicture();  // 280 x 280 pixels, mostly transparent

}  // namespace tamrik
