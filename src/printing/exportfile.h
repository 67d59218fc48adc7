#pragma once
// Files the user names for an export. Each is written whole beside its
// target and renamed over it, so a failure part-way leaves the file the user
// already had untouched.

#include <QString>
#include <string_view>

namespace tamrik {

// False when the file could not be replaced; the old one then stands.
bool writeExportFile(const QString& path, std::string_view bytes);

// The message for an export that could not be written.
QString saveFailedMessage(const QString& path);

}  // namespace tamrik
