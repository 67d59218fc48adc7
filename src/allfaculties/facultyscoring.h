#pragma once
// Every faculty's rule, read once, and what scoring them takes beside the
// applicant: the probability table and the session's parameters. The
// window's panels rank, detail and print through it, so the engine is
// called from this one place.

#include "evaluator.h"
#include "gpapr.h"

#include <string>
#include <vector>

namespace tamrik {

class Session;

class FacultyScoring {
public:
    // Throws ruledb::DbError when the database cannot list the faculties.
    explicit FacultyScoring(const Session& session);

    const std::vector<FacultyRecord>& faculties() const { return m_evaluator.faculties(); }
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
    Evaluator m_evaluator;
    ProbLookup m_prob;
};

}  // namespace tamrik
