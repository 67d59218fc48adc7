#include "showfacultyrule.h"

#include "colours.h"
#include "entrybox.h"
#include "facultyrule.h"
#include "fittedcaption.h"
#include "qtext.h"
#include "subjectcontrols.h"
#include "subjectrowplacement.h"
#include "subjectrowstate.h"
#include "tabsequence.h"

#include <QLabel>
#include <QPushButton>

namespace tamrik {
namespace {

void ShowRows(const FacultyRule& rule, SubjectControls& c, TabSequence& tabs, SubjectRowState& state)
{
    state.NextSpecRow = 1;
    state.NextMainRow = 1;
    // Main rows first: the tab places a special row takes count the main rows
    // placed before it, and the rule keeps each block in its own order.
    for (const FacultyRule::SubjectRow& row : rule.MainRows) {
        const int n = state.NextMainRow;
        PlaceMainRow(c, tabs, n);
        setFittedCaption(c.Label_NAME_SUBJ[n], toQString(row.SubName));
        c.Label_SubID[n]->setText(toQString(row.SubCod));
        c.Label_main_min[n]->setText(toQString(row.MinPercent));
        ++state.NextMainRow;
    }
    for (const FacultyRule::SubjectRow& row : rule.SpecRows) {
        const int n = state.NextSpecRow;
        PlaceSpecRow(c, tabs, n, state.NextMainRow);
        setFittedCaption(c.Label_name_sp[n], toQString(row.SubName));
        c.Label_SubjID_Sp[n]->setText(toQString(row.SubCod));
        c.Label_spec_min[n]->setText(toQString(row.MinPercent));
        c.Label_spec_W[n]->setText(toQString(row.Weight));
        ++state.NextSpecRow;
    }
}

void ShowConditions(const FacultyRule& rule, SubjectControls& c)
{
    setFittedCaption(c.Label_Con[0], toQString(kRule0102Text));
    c.Label_Con[0]->setVisible(rule.Rule0102);
    c.Label_Con[1]->setText(toQString(rule.CriteriaText));
    c.Label_Con[1]->setVisible(rule.CriteriaShown);
    setFittedCaption(c.Label_Con[2], toQString(rule.CalcText));
    c.Label_Con[2]->show();
}

void ShowPair(const FacultyRule& rule, SubjectControls& c)
{
    c.F2LabelSign6174->hide();
    c.F2LabelWsign->hide();
    if (!rule.PairGroup)
        return;
    for (const std::size_t i : rule.PairGroup->Rows) {
        const int row = static_cast<int>(i);
        PlacePairBrace(c, row);
        c.F2LabelSign6174->show();
        c.Label_spec_W[row]->hide();
        c.F2LabelWsign->setText(toQString(rule.PairGroup->WeightText));
        c.F2LabelWsign->show();
    }
}

// Puts a remembered score back, or gives the box the next tab place.
void RestoreScore(EntryBox* box, const QLabel* code, const ScoreSlots& ScoreByCode,
                  TabSequence& tabs, int& t)
{
    if (!putBackScore(box, code, ScoreByCode))
        tabs.give(box, t++);
}

}  // namespace

bool putBackScore(EntryBox* box, const QLabel* code, const ScoreSlots& ScoreByCode)
{
    const std::optional<std::string> restored = restoredScoreText(ScoreByCode, code->text().toStdString());
    if (!restored)
        return false;
    box->setText(toQString(*restored));
    setBackground(box, Colour::PaleYellow);
    return true;
}

void showFacultyRule(const FacultyRule& rule, const ScoreSlots& ScoreByCode, SubjectControls& c,
                     TabSequence& tabs, SubjectRowState& state)
{
    if (state.NextMainRow != 0 || state.NextSpecRow != 0)
        ClearSubjectRows(c, state.mainCount(), state.specialCount());
    state.CalcSubjCode = rule.CalcSubjCode;
    ShowRows(rule, c, tabs, state);
    ShowConditions(rule, c);
    c.Label_MaxMain->setText(toQString(rule.MaxMain));
    c.Label_WMain->setText(toQString(rule.WMain));
    ShowPair(rule, c);
    c.Label_MaxSP->setText(toQString(rule.MaxSP));
    c.Label_main_total_sc->setText(QStringLiteral("0"));

    int t = 0;
    for (int i = 1; i <= state.mainCount(); ++i)
        RestoreScore(c.Text_SC_main[i], c.Label_SubID[i], ScoreByCode, tabs, t);
    c.Label_spec_total_sc->setText(QStringLiteral("0"));
    for (int i = 1; i <= state.specialCount(); ++i)
        RestoreScore(c.Text_sp_sc[i], c.Label_SubjID_Sp[i], ScoreByCode, tabs, t);
    tabs.give(c.F2CmdNext, t);
    tabs.give(c.F2CmdBack, t + 1);

    arrangeFrames(c, state.specialCount());
}

}  // namespace tamrik
