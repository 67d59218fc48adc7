#include "subjectscoreentry.h"

#include "colours.h"
#include "entrybox.h"
#include "messageservice.h"
#include "numtext.h"
#include "qtext.h"
#include "subjectcontrols.h"
#include "subjectrowstate.h"
#include "subtotals.h"

#include <QLabel>
#include <QPushButton>

namespace tamrik {
namespace {

constexpr int EnterKey = 13;
constexpr int SelectionLength = 6;  // the whole of any text a box can hold

std::string Text(const QLabel* label) { return label->text().toStdString(); }
std::string Text(const EntryBox* box) { return box->text().toStdString(); }

}  // namespace

SubjectScoreEntry::SubjectScoreEntry(SubjectControls& controls, const SubjectRowState& state,
                                     MessageService& messages, QObject* parent)
    : QObject(parent), m_c(controls), m_state(state), m_messages(messages)
{
    for (int r = 1; r < SubjectControls::MainRows; ++r)
        wire(m_c.Text_SC_main[r], &SubjectScoreEntry::recomputeMain, &SubjectScoreEntry::enterOnMain, r);
    for (int r = 1; r < SubjectControls::SpecRows; ++r)
        wire(m_c.Text_sp_sc[r], &SubjectScoreEntry::recomputeSpecial, &SubjectScoreEntry::enterOnSpecial, r);
}

void SubjectScoreEntry::wire(EntryBox* box, void (SubjectScoreEntry::*recompute)(),
                             void (SubjectScoreEntry::*enter)(int), int row)
{
    connect(box, &QLineEdit::textChanged, this, recompute);
    // A text that is no score is never shown as an accepted one.
    connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
        if (!scoreNumber(text.toStdString()))
            setBackground(box, Colour::White);
    });
    connect(box, &EntryBox::gotFocus, box, [box] { box->setSelection(0, SelectionLength); });
    connect(box, &EntryBox::keyTyped, this, [this, enter, row](int code) {
        if (code == EnterKey)
            (this->*enter)(row);
    });
    connect(box, &EntryBox::lostFocus, this, [this, box] {
        if (checkRange(box))
            emit boxLeft(box);
    });
}

void SubjectScoreEntry::recomputeMain()
{
    std::vector<SubtotalRow> rows;
    for (int r = 1; r <= m_state.mainCount(); ++r)
        rows.push_back({Text(m_c.Label_SubID[r]), Text(m_c.Text_SC_main[r]), std::string()});
    const Subtotal total = mainSubtotal(rows, m_state.CalcSubjCode);
    m_MainTotalScore = total.value;
    m_c.Label_main_total_sc->setText(QString::fromStdString(total.caption));
}

void SubjectScoreEntry::recomputeSpecial()
{
    std::vector<SubtotalRow> rows;
    for (int r = 1; r <= m_state.specialCount(); ++r)
        rows.push_back({Text(m_c.Label_SubjID_Sp[r]), Text(m_c.Text_sp_sc[r]), Text(m_c.Label_spec_W[r])});
    const Subtotal total =
        specSubtotal(rows, static_cast<std::size_t>(m_state.mainCount()), m_state.CalcSubjCode,
                     Text(m_c.Label_WMain), Text(m_c.Label_MaxMain));
    m_SpecTotalScore = total.value;
    m_c.Label_spec_total_sc->setText(QString::fromStdString(total.caption));
}

void SubjectScoreEntry::enterOnMain(int row)
{
    if (row < m_state.mainCount())
        m_c.Text_SC_main[row + 1]->setFocus();
    else if (m_state.specialCount() >= 1)
        m_c.Text_sp_sc[1]->setFocus();
    else
        m_c.F2CmdNext->setFocus();
}

void SubjectScoreEntry::enterOnSpecial(int row)
{
    if (row < m_state.specialCount())
        m_c.Text_sp_sc[row + 1]->setFocus();
    else
        m_c.F2CmdNext->setFocus();
}

bool SubjectScoreEntry::checkRange(EntryBox* box)
{
    const ScoreBoxCheck check = checkScoreBox(Text(box));
    if (!check.valid) {
        m_messages.show(toQString(kScoreRangeMessage));
        box->setText(QString());
        setBackground(box, Colour::White);
        box->takeFocusBack();
        return false;
    }
    box->setText(QString::fromStdString(check.text));
    setBackground(box, check.paleYellow ? Colour::PaleYellow : Colour::White);
    return true;
}

bool SubjectScoreEntry::checkAllRanges()
{
    for (int r = 1; r <= m_state.mainCount(); ++r) {
        if (!checkRange(m_c.Text_SC_main[r]))
            return false;
    }
    for (int r = 1; r <= m_state.specialCount(); ++r) {
        if (!checkRange(m_c.Text_sp_sc[r]))
            return false;
    }
    return true;
}

}  // namespace tamrik
