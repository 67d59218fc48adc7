#include "exportfile.h"

#include "atomicfile.h"

#include <QFile>
#include <filesystem>

namespace tamrik {

bool WriteExportFile(const QString& path, std::string_view bytes)
{
    // The name in the file system's own encoding, not as UTF-16 reinterpreted.
    return WriteTextAtomically(std::filesystem::path(QFile::encodeName(path).toStdString()), bytes);
}

QString SaveFailedMessage(const QString& path) { return QStringLiteral("บันทึกไฟล์ไม่สำเร็จ: ") + path; }

}  // namespace tamrik
