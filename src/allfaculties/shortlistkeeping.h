#pragma once
// A shortlist file on disk against what the program holds: what to write
// (the session's name and entries with the choices), reading one with its
// size bounded, and taking one over into the session.

#include "shortlistfile.h"

#include <QString>
#include <QStringList>

namespace tamrik {

class Session;

ShortlistFile currentShortlistFile(const Session& session, const std::vector<std::string>& choices);

// Written whole or not at all (the old file then stands); false on failure.
bool saveShortlistFile(const QString& path, const ShortlistFile& file);

// The file read and checked; a file that cannot be read, or is too large
// for a shortlist, is a problem too.
ShortlistFileRead loadShortlistFile(const QString& path);

// "เปิดไฟล์ ... ไม่ได้: ..." naming the file and what is wrong.
QString openFailedMessage(const QString& path, const QString& problem);

// The name and every score, GPA and PR of the file take the place of the
// session's, and the entries file is written. Returns the subject codes
// whose score changed.
QStringList takeShortlistFile(Session& session, const ShortlistFile& file);

}  // namespace tamrik
