#pragma once
// Page 2: one row per subject of the loaded faculty, the live subtotals and
// the minimum check.
//
// Flow: loadRule reads the whole rule first (core buildFacultyRule) and only
// then lays the page out (showFacultyRule); the boxes' behaviour is
// SubjectScoreEntry's; Next runs every box's range check, then the core
// check, remembers the scores in the session's ScoreByCode and announces the
// outcome; the main window switches pages.

#include "facultyrule.h"
#include "scoreslots.h"
#include "subjectcontrols.h"
#include "subjectrowstate.h"
#include "tabsequence.h"

#include <QFrame>
#include <optional>
#include <string>

namespace tamrik {

class EntryBox;
class Session;
class SubjectScoreEntry;

class SubjectPage : public QFrame {
    Q_OBJECT
public:
    SubjectPage(Session& session, QWidget* parent);

    // Loads the faculty's rule and lays the page out for it. On failure shows
    // one message naming the faculty and what is missing, leaves the page
    // untouched and returns false.
    bool loadRule(const std::string& selFacCode, const std::string& facIdText);

    // One subject's remembered score changed elsewhere (the all-faculties
    // window): its rows take the score back, or an empty white box.
    void showRememberedScore(const QString& code);

    double MainTotalScore() const;
    double SpecTotalScore() const;
    const QString& MainMaxText() const { return m_MainMaxText; }
    const QString& SpecMaxText() const { return m_SpecMaxText; }
    float ScorePerPercent() const { return m_ScorePerPercent; }
    int NextMainRow() const { return m_state.NextMainRow; }
    int NextSpecRow() const { return m_state.NextSpecRow; }
    const std::array<std::string, 10>& CalcSubjCode() const { return m_state.CalcSubjCode; }
    // The rule the page is laid out for; null before the first load.
    const FacultyRule* Rule() const { return m_rule ? &*m_rule : nullptr; }

signals:
    void backClicked();   // rows already cleared
    void accepted();      // check passed, scores remembered
    void checkFailed();   // messages shown, scores remembered, rows cleared
    // A box left with a score other than the one remembered, or Back taking
    // such scores back: the entries are saved, so the all-faculties window
    // can follow.
    void scoreLeft();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void F2CmdNext_Click();
    void F2CmdBack_Click();
    void rememberLeftBox(EntryBox* box);
    // The scores in place of the remembered ones, saved and told of when they differ.
    void takeScores(const ScoreSlots& scores);

    Session& m_session;
    SubjectControls m_c;
    SubjectRowState m_state;
    TabSequence m_tabs;
    SubjectScoreEntry* m_entry;
    QString m_MainMaxText;
    QString m_SpecMaxText;
    float m_ScorePerPercent = 0;
    std::optional<FacultyRule> m_rule;
    // The scores as the page was entered with them: Back forgets what the
    // boxes left since (the window's own edits are taken in).
    ScoreSlots m_entered;
};

}  // namespace tamrik
