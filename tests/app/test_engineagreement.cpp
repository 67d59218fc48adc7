// The engine and the window agree: for every bundled faculty and a few
// applicants, the real window is driven through pages 1 to 4 (the scores
// restored into page 2 from the remembered entries, as the window restores
// them) and every figure of page 4, or page 2's messages when a minimum
// fails, is compared with what the engine gives for the same applicant. An
// empty box below its minimum fails on page 2; to the engine the subject is
// missing, so those messages are not the engine's.
#include "evaluator.h"
#include "facultyloader.h"
#include "wholetables.h"
#include "entriesfile.h"
#include "numtext.h"
#include "programdriver.h"
#include "scoringparams.h"
#include "subjectcheck.h"

#include <QRegularExpression>
#include <QTest>

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// Page 2's message on one subject's minimum names its code.
const QRegularExpression OneSubject(QStringLiteral("^ *วิชา (\\d\\d) "));

QString Box(const char* array, int row) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(row); }
QString Figure(double v) { return QString::fromStdString(Format(v, "0.00")); }
// A caption as a two-decimal figure ("00.00" and "0.00" both show nothing).
QString Shown(const QString& caption) { return QString::fromStdString(formatText(caption.toStdString(), "0.00")); }

struct Case {
    const char* name;
    Applicant applicant;
};

std::vector<Case> Applicants()
{
    Applicant every;  // every subject, mid-range scores with decimals
    for (std::size_t k = 0; k < kSubjectCount; ++k)
        every.Scores[k] = 40 + static_cast<double>((k * 37) % 58) + (k % 4) * 0.25;
    every.Gpa = 3.25;
    every.Pr = 85.5;

    Applicant gaps;  // odd codes only, no PR
    for (std::size_t k = 0; k < kSubjectCount; k += 2)
        gaps.Scores[k] = 55.55 + static_cast<double>(k % 9);
    gaps.Gpa = 2.07;

    Applicant low = every;  // fails the minimums wherever there are any
    for (auto& score : low.Scores)
        score = 12.5;
    low.Gpa = 4.0;
    low.Pr = 99.99;

    Applicant top;  // everything full
    for (auto& score : top.Scores)
        score = 100;
    top.Gpa = 0.01;
    top.Pr = 0.01;
    return {{"every subject", every}, {"absent subjects", gaps}, {"failing minimums", low}, {"full marks", top}};
}

}  // namespace

class TestEngineAgreement : public QObject {
    Q_OBJECT
private slots:
    void everyFacultyEveryApplicant()
    {
        const ruledb::RuleDatabase db(ProgramFolder::bundledRuleDb().toStdString());
        const ScoringParams params;  // the window starts with the same defaults
        const std::vector<FacultyRecord> records = loadFaculties(db, params.ParamDbMaxMin);
        const Evaluator evaluator(records);
        const ScoringContext context{params.ParamMeanGpa, params.ParamSD, loadProbTable(db)};
        QVERIFY(evaluator.faculties().size() > 100);

        int summaries = 0;
        int failures = 0;
        int undecided = 0;
        for (const Case& c : Applicants()) {
            ProgramFolder folder;
            UserEntries entries;
            entries.ScoreByCode = scoreByCodeOf(c.applicant);
            entries.GpaDigits = gpaDigitsOf(c.applicant);
            entries.PrDigits = prDigitsOf(c.applicant);
            QVERIFY(SaveEntriesFile(folder.path().toStdString(), entries));
            Program program(folder);
            QVERIFY(program.start());

            for (std::size_t i = 0; i < evaluator.faculties().size(); ++i) {
                const FacultyRecord& faculty = records[i];
                const FacultyEvaluation ev = evaluator.evaluate(i, c.applicant, context, Detail::Needed);
                const QString where = QStringLiteral("%1, faculty %2: ")
                                          .arg(QLatin1String(c.name), QString::fromStdString(faculty.facCode));
                program.messages.texts.clear();
                program.open(QString::fromStdString(faculty.facCode));
                QVERIFY2(ev.ok() && program.window.currentPage() == 2, qPrintable(where + QStringLiteral("no rule")));

                program.click(QStringLiteral("F2CmdNext"));
                // Page 2 fails an empty box below its minimum; the engine
                // leaves a subject with no score undecided.
                const auto scored = [&](const std::string& code) {
                    const std::optional<std::size_t> slot = scoreSlot(code);
                    return slot && c.applicant.Scores[*slot].has_value();
                };
                const auto& mains = faculty.load.rule->MainRows;
                const bool both0102 = mains.size() > 1 && scored(mains[0].SubCod) && scored(mains[1].SubCod);
                QStringList scoredMinimums;
                for (const QString& message : std::as_const(program.messages.texts)) {
                    const QRegularExpressionMatch subject = OneSubject.match(message);
                    if (subject.hasMatch() ? scored(subject.captured(1).toStdString()) : both0102)
                        scoredMinimums << message;
                }
                QStringList minimums;
                for (const std::string& m : ev.minimums)
                    minimums << QString::fromStdString(m);
                QVERIFY2(scoredMinimums == minimums, qPrintable(where + program.messages.texts.join(u'|')));
                if (!program.messages.texts.isEmpty()) {
                    QCOMPARE(program.window.currentPage(), 1);
                    QCOMPARE(ev.chance, minimums.isEmpty() ? Chance::MissingScores : Chance::FailsMinimum);
                    ++(minimums.isEmpty() ? undecided : failures);
                    continue;
                }
                program.click(QStringLiteral("F3CmdNext"));
                QCOMPARE(program.window.currentPage(), 4);

                const Earned* rows[] = {&ev.main, &ev.special, &ev.gpa, &ev.pr};
                QStringList shown;
                QStringList engine;
                for (int row = 0; row < 4; ++row) {
                    shown << Shown(program.text(Box("LabelMyScore", row)))
                          << Shown(program.text(Box("LabelMaxScore", row)));
                    engine << Figure(rows[row]->earned) << Figure(rows[row]->full);
                }
                shown << program.text(Box("Label_total_score", 0)) << program.text(Box("Label_total_score", 1))
                      << program.text(QStringLiteral("F4LabelMinLastYear"))
                      << program.text(QStringLiteral("F4LabelMaxLastYear"));
                engine << Figure(ev.total.earned) << Figure(ev.total.full)
                       << Figure(ev.lastYear ? ev.lastYear->min : 0) << Figure(ev.lastYear ? ev.lastYear->max : 0);
                QVERIFY2(shown == engine, qPrintable(where + shown.join(u' ') + QStringLiteral(" / ")
                                                     + engine.join(u' ')));
                ++summaries;
                program.click(QStringLiteral("F4CmdNext"));
            }
        }
        // Both paths were really taken, many times over.
        QVERIFY(summaries > 300);
        QVERIFY(failures > 50);
        QVERIFY(undecided > 20);
    }
};

QTEST_MAIN(TestEngineAgreement)
#include "test_engineagreement.moc"
