#pragma once
// What the foot of every printed page says: the rule database, the
// parameters, the program version and the printing date in the Thai
// calendar; and on top, while the data are a made-up sample, a notice of it.

#include "workingpdf.h"

namespace tamrik {

class Session;

PrintNotes makePrintNotes(const Session& session);

}  // namespace tamrik
