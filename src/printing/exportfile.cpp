#include "exportfile.h"

#include "atomicfile.h"
#include "qtext.h"

namespace tamrik {

bool writeExportFile(const QString& path, std::string_view bytes)
{
    return writeTextAtomically(pathFromQString(path), bytes);
}

QString saveFailedMessage(const QString& path) { return QStringLiteral("บันทึกไฟล์ไม่สำเร็จ: ") + path; }

}  // namespace tamrik
