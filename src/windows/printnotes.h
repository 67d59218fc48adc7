#pragma once
// What the foot of every printed page says: the rule database, the
// parameters, the program version and the printing date.

#include "workingpdf.h"

namespace tamrik {

class Session;

PrintNotes MakePrintNotes(const Session& session);

}  // namespace tamrik
