#include "session.h"

#include "entriesfile.h"
#include "messageservice.h"
#include "qtext.h"
#include "yeartext.h"

#include <QString>

namespace tamrik {

const std::optional<ruledb::BuildInfo>& Session::buildInfo() const
{
    if (!m_buildInfo)
        m_buildInfo = ruledb::readBuildInfo(*m_ruleDb);
    return *m_buildInfo;
}

std::string Session::admissionYear() const
{
    const auto& info = buildInfo();
    return info && !info->admissionYear.empty() ? info->admissionYear : kDefaultAdmissionYear;
}

bool Session::sampleData() const
{
    const auto& info = buildInfo();
    return info && info->Sample;
}

void Session::SaveEntriesFile()
{
    const bool saved = tamrik::SaveEntriesFile(m_dataFolder, m_entries);
    if (!saved && !m_saveFailing) {
        const QString file = qStringFromPath(m_dataFolder / kEntriesFileName);
        m_messages.show(QStringLiteral("บันทึกไฟล์ %1 ไม่ได้ คะแนนที่ใส่ไว้ใช้ได้จนกว่าจะปิดโปรแกรม").arg(file));
    }
    m_saveFailing = !saved;
}

}  // namespace tamrik
