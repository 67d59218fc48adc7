#include "subjectpage.h"

#include "colours.h"
#include "entrybox.h"
#include "facultyrule.h"
#include "messageservice.h"
#include "ruletables.h"
#include "session.h"
#include "showfacultyrule.h"
#include "subjectcheck.h"
#include "subjectrowplacement.h"
#include "subjectscoreentry.h"

#include <QLabel>
#include <QPushButton>

namespace tamrik {
namespace {

// The page's focusable controls in tab order.
std::vector<QWidget*> PageTabOrder(const SubjectControls& c)
{
    std::vector<QWidget*> order(c.Text_SC_main.begin(), c.Text_SC_main.end());
    order.insert(order.end(), c.Text_sp_sc.begin(), c.Text_sp_sc.end());
    order.push_back(c.F2CmdNext);
    order.push_back(c.F2CmdBack);
    return order;
}

}  // namespace

SubjectPage::SubjectPage(Session& session, QWidget* parent)
    : QFrame(parent),
      m_session(session),
      m_c(buildSubjectControls(this)),
      m_tabs(PageTabOrder(m_c)),
      m_entry(new SubjectScoreEntry(m_c, m_state, session.messages(), this))
{
    connect(m_c.F2CmdNext, &QPushButton::clicked, this, &SubjectPage::F2CmdNext_Click);
    connect(m_c.F2CmdBack, &QPushButton::clicked, this, &SubjectPage::F2CmdBack_Click);
    connect(m_entry, &SubjectScoreEntry::boxLeft, this, &SubjectPage::rememberLeftBox);
}

double SubjectPage::MainTotalScore() const { return m_entry->MainTotalScore(); }
double SubjectPage::SpecTotalScore() const { return m_entry->SpecTotalScore(); }

bool SubjectPage::loadRule(const std::string& selFacCode, const std::string& facIdText)
{
    ruledb::DatabaseRuleSource source(m_session.ruleDb());
    const RuleLoadResult loaded = buildFacultyRule(source, selFacCode, facIdText);
    if (!loaded.ok()) {
        m_session.messages().show(QString::fromStdString(loaded.error));
        return false;
    }
    showFacultyRule(*loaded.rule, m_session.entries().ScoreByCode, m_c, m_tabs, m_state);
    m_ScorePerPercent = loaded.rule->ScorePerPercent;
    m_rule = loaded.rule;
    m_entered = m_session.entries().ScoreByCode;
    return true;
}

void SubjectPage::showRememberedScore(const QString& code)
{
    // Only the edited subject's rows: the others may hold scores typed here
    // and not yet taken by Next.
    const auto& ScoreByCode = m_session.entries().ScoreByCode;
    if (const auto slot = scoreSlot(code.toStdString()))
        m_entered[*slot] = ScoreByCode[*slot];
    const auto putBack = [&](EntryBox* box, const QLabel* label) {
        if (label->text() != code)
            return;
        if (!putBackScore(box, label, ScoreByCode)) {
            box->clear();
            setBackground(box, Colour::White);
        }
    };
    for (int i = 1; i <= m_state.mainCount(); ++i)
        putBack(m_c.Text_SC_main[i], m_c.Label_SubID[i]);
    for (int i = 1; i <= m_state.specialCount(); ++i)
        putBack(m_c.Text_sp_sc[i], m_c.Label_SubjID_Sp[i]);
}

void SubjectPage::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    m_tabs.focusFirstUnlessWithin(this);
}

void SubjectPage::F2CmdNext_Click()
{
    // A box the user never left, or one the program filled, has had no range
    // check yet: no score outside 0 to 100 may reach the minimums or page 3.
    if (!m_entry->checkAllRanges())
        return;
    const int nMain = m_state.mainCount();
    const int nSpecial = m_state.specialCount();
    const std::vector<SubjectRow> mainRows = m_c.mainRowData(nMain);
    const std::vector<SubjectRow> specialRows = m_c.specialRowData(nSpecial);
    const SubjectCheckResult check = checkSubjectScores(mainRows, specialRows, !m_c.Label_Con[0]->isHidden());
    for (const std::string& message : check.messages)
        m_session.messages().show(QString::fromStdString(message));
    rememberScores(mainRows, specialRows, m_session.entries().ScoreByCode);
    if (check.failed) {
        ClearSubjectRows(m_c, nMain, nSpecial);
        emit checkFailed();
        return;
    }
    m_MainMaxText = m_c.Label_MaxMain->text();
    m_SpecMaxText = m_c.Label_MaxSP->text();
    emit accepted();
}

void SubjectPage::rememberLeftBox(EntryBox* box)
{
    // The row's score as Next would remember it, at once: the all-faculties
    // window ranks what the page holds, box by box.
    std::vector<SubjectRow> rows;
    for (int r = 1; r <= m_state.mainCount(); ++r) {
        if (m_c.Text_SC_main[r] == box)
            rows.push_back(m_c.mainRowData(r).back());
    }
    for (int r = 1; r <= m_state.specialCount(); ++r) {
        if (m_c.Text_sp_sc[r] == box)
            rows.push_back(m_c.specialRowData(r).back());
    }
    auto remembered = m_session.entries().ScoreByCode;
    rememberScores(rows, {}, remembered);
    takeScores(remembered);
}

void SubjectPage::takeScores(const ScoreSlots& scores)
{
    auto& ScoreByCode = m_session.entries().ScoreByCode;
    if (scores == ScoreByCode)
        return;
    ScoreByCode = scores;
    m_session.SaveEntriesFile();
    emit scoreLeft();
}

void SubjectPage::F2CmdBack_Click()
{
    // Back forgets what the boxes took since the page was entered.
    auto scores = m_session.entries().ScoreByCode;
    for (const std::vector<SubjectRow>& rows :
         {m_c.mainRowData(m_state.mainCount()), m_c.specialRowData(m_state.specialCount())}) {
        for (const SubjectRow& row : rows) {
            if (const auto slot = scoreSlot(row.code))
                scores[*slot] = m_entered[*slot];
        }
    }
    takeScores(scores);
    ClearSubjectRows(m_c, m_state.mainCount(), m_state.specialCount());
    emit backClicked();
}

}  // namespace tamrik
