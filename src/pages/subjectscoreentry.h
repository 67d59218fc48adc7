#pragma once
// What page 2's score boxes do while the user types: select on entry, Enter
// moves on, the range check on leaving a box, and both subtotals recomputed
// on every change of any box, whoever changed it. The arithmetic is the
// core's (subtotals.h); this class reads the controls and writes back.

#include <QObject>

namespace tamrik {

class EntryBox;
class MessageService;
struct SubjectControls;
struct SubjectRowState;

class SubjectScoreEntry : public QObject {
    Q_OBJECT
public:
    SubjectScoreEntry(SubjectControls& controls, const SubjectRowState& state, MessageService& messages,
                      QObject* parent);

    double MainTotalScore() const { return m_MainTotalScore; }
    double SpecTotalScore() const { return m_SpecTotalScore; }

    // The range check of every box in use, main rows then special rows, as
    // leaving each would run it. Stops at the first refused box (message
    // shown, box emptied and focused again) and returns false.
    bool checkAllRanges();

signals:
    // A box was left holding a score its range check took (or none).
    void boxLeft(EntryBox* box);

private:
    void recomputeMain();
    void recomputeSpecial();
    void enterOnMain(int row);
    void enterOnSpecial(int row);
    bool checkRange(EntryBox* box);
    void wire(EntryBox* box, void (SubjectScoreEntry::*recompute)(), void (SubjectScoreEntry::*enter)(int), int row);

    SubjectControls& m_c;
    const SubjectRowState& m_state;
    MessageService& m_messages;
    double m_MainTotalScore = 0;
    double m_SpecTotalScore = 0;
};

}  // namespace tamrik
