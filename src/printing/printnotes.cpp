#include "printnotes.h"

#include "programtexts.h"
#include "qtext.h"
#include "samplenotice.h"
#include "session.h"
#include "yeartext.h"

#include <QDateTime>
#include <QFileInfo>

namespace tamrik {

PrintNotes MakePrintNotes(const Session& session)
{
    PrintNotes notes;
    notes.applicant = ToQString(session.applicantName());
    const QFileInfo db(ToQString(session.ruleDb().path()));
    // The data tool's own record of the build; a database made otherwise has
    // only its file date to go by.
    const auto& info = session.buildInfo();
    const QString built = info ? DataInfoText(*info)
                               : db.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    notes.ruleDb = db.fileName() + QStringLiteral(" (") + built + QLatin1Char(')');
    const ScoringParams& params = session.params();
    notes.parameters = ToQString(params.ParamDbMaxMin) + QStringLiteral(", x เฉลี่ย ") + ToQString(params.ParamMeanGpa) +
                       QStringLiteral(", SD ") + ToQString(params.ParamSD);
    notes.version = VersionNumber();
    const QDateTime now = QDateTime::currentDateTime();
    notes.printed = ToQString(thaiDateText(now.date().year(), now.date().month(), now.date().day())) +
                    now.toString(QStringLiteral(" เวลา HH:mm น."));
    if (session.SampleData())
        notes.sample = ToQString(kSampleNotice);
    return notes;
}

}  // namespace tamrik
