#include "subjectrowplacement.h"

#include "colours.h"
#include "entrybox.h"
#include "subjectcontrols.h"
#include "tabsequence.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>

namespace tamrik {
namespace {

constexpr int BoxGap = 50;    // between a box and the box of the row below
constexpr int LabelGap = 60;  // labels sit 10 lower than their row's box
constexpr int CondTopBesideSpecial = 4320;

int Bottom(const QWidget* w)
{
    const QRect g = geometryTwips(w);
    return g.top() + g.height();
}

// Below `above`, at the left edge of the same control of the template row.
void PlaceBelow(QWidget* w, const QWidget* templ, int aboveBottom, int gap)
{
    moveTwips(w, geometryTwips(templ).left(), aboveBottom + gap);
}

void EmptyBox(EntryBox* box)
{
    box->setText(QString());
    setBackground(box, Colour::White);
    box->hide();
}

}  // namespace

void PlaceMainRow(SubjectControls& c, TabSequence& tabs, int n)
{
    Q_ASSERT(n >= 1 && n < SubjectControls::MainRows);
    const int above = Bottom(c.Text_SC_main[n - 1]);
    PlaceBelow(c.Label_NAME_SUBJ[n], c.Label_NAME_SUBJ[0], above, LabelGap);
    PlaceBelow(c.Text_SC_main[n], c.Text_SC_main[0], above, BoxGap);
    tabs.give(c.Text_SC_main[n], n - 1);
    PlaceBelow(c.Label_SubID[n], c.Label_SubID[0], above, LabelGap);
    PlaceBelow(c.Label_main_min[n], c.Label_main_min[0], above, LabelGap);
    c.Label_NAME_SUBJ[n]->show();
    c.Text_SC_main[n]->show();
    c.Label_SubID[n]->show();
    c.Label_main_min[n]->show();
}

void PlaceSpecRow(SubjectControls& c, TabSequence& tabs, int n, int nextMainRow)
{
    Q_ASSERT(n >= 1 && n < SubjectControls::SpecRows);
    const int above = Bottom(c.Text_sp_sc[n - 1]);
    PlaceBelow(c.Label_name_sp[n], c.Label_name_sp[0], above, LabelGap);
    PlaceBelow(c.Text_sp_sc[n], c.Text_sp_sc[0], above, BoxGap);
    tabs.give(c.Text_sp_sc[n], nextMainRow - 1 + n);
    PlaceBelow(c.Label_spec_W[n], c.Label_spec_W[0], above, LabelGap);
    PlaceBelow(c.Label_spec_min[n], c.Label_spec_min[0], above, LabelGap);
    PlaceBelow(c.Label_SubjID_Sp[n], c.Label_SubjID_Sp[0], above, LabelGap);
    c.Label_name_sp[n]->show();
    c.Text_sp_sc[n]->show();
    c.Label_spec_min[n]->show();
    c.Label_spec_W[n]->show();
    c.Label_SubjID_Sp[n]->show();
}

void PlacePairBrace(SubjectControls& c, int i)
{
    Q_ASSERT(i >= 1 && i < SubjectControls::SpecRows);
    QLabel* brace = c.F2LabelSign6174;
    if (i >= 2)
        moveTwips(brace, geometryTwips(brace).left(), Bottom(c.Label_spec_min[i - 2]));
    const QRect b = geometryTwips(brace);
    const int weightHeight = geometryTwips(c.F2LabelWsign).height();
    moveTwips(c.F2LabelWsign, geometryTwips(c.Label_spec_W[0]).left(),
              (2 * b.top() + b.height() - weightHeight) / 2);
}

void ClearSubjectRows(SubjectControls& c, int mainCount, int specialCount)
{
    for (int r = 1; r <= specialCount; ++r) {
        EmptyBox(c.Text_sp_sc[r]);
        c.Label_name_sp[r]->hide();
        c.Label_spec_min[r]->hide();
        c.Label_spec_min[r]->setText(QStringLiteral("0"));
        c.Label_spec_W[r]->hide();
        c.Label_spec_W[r]->setText(QStringLiteral("0"));
        c.Label_SubjID_Sp[r]->hide();
    }
    for (int r = 1; r <= mainCount; ++r) {
        EmptyBox(c.Text_SC_main[r]);
        c.Label_NAME_SUBJ[r]->hide();
        c.Label_SubID[r]->hide();
        c.Label_main_min[r]->hide();
        c.Label_main_min[r]->setText(QStringLiteral("0"));
    }
}

void arrangeFrames(SubjectControls& c, int specialCount)
{
    const int left = geometryTwips(c.FrameCond).left();
    if (specialCount == 0) {
        c.FrameSpecSUBJ->hide();
        moveTwips(c.FrameCond, left, geometryTwips(c.Frame_MAIN_subj).top());
    } else {
        c.FrameSpecSUBJ->show();
        moveTwips(c.FrameCond, left, CondTopBesideSpecial);
    }
}

}  // namespace tamrik
