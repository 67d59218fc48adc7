#include "printnotes.h"

#include "programtexts.h"
#include "qtext.h"
#include "samplenotice.h"
#include "session.h"
#include "yeartext.h"

#include <QDateTime>
#include <QFileInfo>

namespace tamrik {

PrintNotes makePrintNotes(const Session& session)
{
    PrintNotes notes;
    notes.applicant = toQString(session.applicantName());
    const QFileInfo db(toQString(session.ruleDb().path()));
    // The data tool's own record of the build; a database made otherwise has
    // only its file date to go by.
    const auto& info = session.buildInfo();
    const QString built = info ? dataInfoText(*info)
                               : db.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    notes.ruleDb = db.fileName() + QStringLiteral(" (") + built + QLatin1Char(')');
    const ScoringParams& params = session.params();
    notes.parameters = toQString(params.ParamDbMaxMin) + QStringLiteral(", x เฉลี่ย ") + toQString(params.ParamMeanGpa) +
                       QStringLiteral(", SD ") + toQString(params.ParamSD);
    notes.version = versionNumber();
    const QDateTime now = QDateTime::currentDateTime();
    notes.printed = toQString(thaiDateText(now.date().year(), now.date().month(), now.date().day())) +
                    now.toString(QStringLiteral(" เวลา HH:mm น."));
    if (session.sampleData())
        notes.sample = toQString(kSampleNotice);
    return notes;
}

}  // namespace tamrik
