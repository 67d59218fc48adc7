#include "session.h"

#include "entriesfile.h"

namespace tamrik {

void Session::SaveEntriesFile() { tamrik::SaveEntriesFile(m_dataFolder, m_entries); }

}  // namespace tamrik
