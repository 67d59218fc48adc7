#pragma once
// Every faculty's rule, read once, and what scoring them takes beside the
// applicant: the probability table and the session's parameters. The
// window's panels rank, detail and print through it, so the engine is
// called from this one place.

#include "evaluator.h"
#include "gpapr.h"

#include <optional>
#include <string>
#include <vector>

namespace tamrik {

class Session;

class FacultyScoring {
public:
    // Throws ruledb::DbError when the database cannot list the faculties.
    explicit FacultyScoring(const Session& session);

    const Evaluator& evaluator() const { return m_evaluator; }
    // Null when the rule data have no faculty of that code. The record
    // holds no rule: the evaluator keeps only what scoring needs.
    const FacultyEntry* record(const std::string& facCode) const;
    // The faculty read again with its whole rule, for a printed sheet's rows;
    // nothing for an unknown code. Throws ruledb::DbError.
    std::optional<FacultyRecord> withRule(const std::string& facCode) const;
    const ProbLookup& prob() const { return m_prob; }
    ScoringContext context() const;

    // The remembered entries, as the engine takes them.
    Applicant remembered() const;
    // Every faculty scored and in the engine's order; each is written out
    // only when asked for.
    Ranking rank(const Applicant& applicant) const;
    // One faculty written out whole, what it needs included.
    FacultyEvaluation evaluate(const FacultyEntry& faculty, const Applicant& applicant) const;

private:
    const Session& m_session;
    Evaluator m_evaluator;
    ProbLookup m_prob;
};

}  // namespace tamrik
