#include "facultyscoring.h"

#include "facultyloader.h"
#include "session.h"
#include "wholetables.h"

namespace tamrik {

FacultyScoring::FacultyScoring(const Session& session)
    : m_session(session),
      m_evaluator(loadFaculties(session.ruleDb(), session.params().ParamDbMaxMin)),
      m_prob(loadProbTable(session.ruleDb()))
{
}

const FacultyRecord* FacultyScoring::record(const std::string& facCode) const
{
    const std::optional<std::size_t> faculty = m_evaluator.indexOf(facCode);
    return faculty ? &m_evaluator.faculties()[*faculty] : nullptr;
}

ScoringContext FacultyScoring::context() const
{
    const ScoringParams& params = m_session.params();
    return ScoringContext{params.ParamMeanGpa, params.ParamSD, m_prob};
}

Applicant FacultyScoring::remembered() const
{
    const UserEntries& entries = m_session.entries();
    return applicantFromEntries(entries.ScoreByCode, entries.GpaDigits, entries.PrDigits);
}

Ranking FacultyScoring::rank(const Applicant& applicant) const { return m_evaluator.rank(applicant, context()); }

FacultyEvaluation FacultyScoring::evaluate(const FacultyRecord& faculty, const Applicant& applicant) const
{
    return m_evaluator.evaluate(*m_evaluator.indexOf(faculty.facCode), applicant, context(), Detail::Needed);
}

}  // namespace tamrik
