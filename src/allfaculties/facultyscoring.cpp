#include "facultyscoring.h"

#include "facultyloader.h"
#include "session.h"
#include "wholetables.h"

namespace tamrik {

FacultyScoring::FacultyScoring(const Session& session)
    : m_session(session),
      m_prob(loadProbTable(session.ruleDb()))
{
    forEachFaculty(
        session.ruleDb(), session.params().ParamDbMaxMin, [this](std::size_t count) { m_evaluator.reserve(count); },
        [this](FacultyRecord&& faculty) { m_evaluator.add(std::move(faculty)); });
}

const FacultyEntry* FacultyScoring::record(const std::string& facCode) const
{
    const std::optional<std::size_t> faculty = m_evaluator.indexOf(facCode);
    return faculty ? &m_evaluator.faculties()[*faculty] : nullptr;
}

std::optional<FacultyRecord> FacultyScoring::withRule(const std::string& facCode) const
{
    return loadFaculty(m_session.ruleDb(), m_session.params().ParamDbMaxMin, facCode);
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

FacultyEvaluation FacultyScoring::evaluate(const FacultyEntry& faculty, const Applicant& applicant) const
{
    return m_evaluator.evaluate(*m_evaluator.indexOf(faculty.facCode), applicant, context(), Detail::Needed);
}

}  // namespace tamrik
