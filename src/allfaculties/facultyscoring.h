#pragma once
// Every faculty's rule, read once, and what scoring them takes beside the
// applicant: the probability table and the session's parameters. The
// window's panels rank, detail and print through it, so the engine is
// called from this one place.

#include "allfacultyrules.h"
#include "evaluation.h"
#include "gpapr.h"

#include <string>
#include <vector>

namespace tamrik {

class Session;

class FacultyScoring {
public:
    // Throws ruledb::DbError when the database cannot list the faculties.
    explicit FacultyScoring(const Session& session);

    const std::vector<FacultyRecord>& faculties() const { return m_rules.faculties; }
    // Null when the rule data have no faculty of that code.
    const FacultyRecord* record(const std::string& facCode) const;
    const ProbLookup& prob() const { return m_prob; }
    ScoringContext context() const;

    // The remembered entries, as the engine takes them.
    Applicant remembered() const;
    // Every faculty in the engine's ranking, without the search for what is
    // needed: that runs for one faculty at a time (evaluate).
    std::vector<FacultyEvaluation> rankAll(const Applicant& applicant) const;
    FacultyEvaluation evaluate(const FacultyRecord& faculty, const Applicant& applicant) const;

private:
    const Session& m_session;
    ruledb::AllFacultyRules m_rules;
    ProbLookup m_prob;
};

}  // namespace tamrik
