#include "facultyscoring.h"

#include "session.h"

namespace tamrik {

FacultyScoring::FacultyScoring(const Session& session)
    : m_session(session),
      m_rules(ruledb::LoadAllFacultyRules(session.ruleDb(), session.params().ParamDbMaxMin)),
      m_prob(ruledb::LoadProbTable(session.ruleDb()))
{
}

const FacultyRecord* FacultyScoring::record(const std::string& facCode) const
{
    for (const FacultyRecord& faculty : m_rules.faculties) {
        if (faculty.facCode == facCode)
            return &faculty;
    }
    return nullptr;
}

ScoringContext FacultyScoring::context() const
{
    const ScoringParams& params = m_session.params();
    return ScoringContext{params.ParamMeanGpa, params.ParamSD, m_prob};
}

Applicant FacultyScoring::remembered() const
{
    const UserEntries& entries = m_session.entries();
    return ApplicantFromEntries(entries.ScoreByCode, entries.GpaDigits, entries.PrDigits);
}

std::vector<FacultyEvaluation> FacultyScoring::rankAll(const Applicant& applicant) const
{
    EvaluateOptions options;
    options.needed = false;
    return EvaluateAll(m_rules.faculties, applicant, context(), options);
}

FacultyEvaluation FacultyScoring::evaluate(const FacultyRecord& faculty, const Applicant& applicant) const
{
    return Evaluate(faculty, applicant, context());
}

}  // namespace tamrik
