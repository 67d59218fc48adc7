#pragma once
// Page 3: the GPA and the PR, with their points following every keystroke.
//
// The page reads its four boxes, hands the texts to the GPA/PR rules of the
// core and writes back what they return; it keeps the two points values and
// the key counters of the automatic focus moves, each started afresh when its
// box gets the focus or the page is shown. The boxes take digits only; a
// point or comma in an integer box moves on to the decimals. The digits typed
// go to the session's entries when the page is left; the window shows the
// pages.

#include "gpapr.h"

#include "tabsequence.h"

#include <QFrame>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;

namespace tamrik {

class EntryBox;
class Session;

class GpaPrPage : public QFrame {
    Q_OBJECT
public:
    GpaPrPage(Session& session, QWidget* parent);

    // Prepares the page on the way from page 2: tab order, parameters, boxes
    // refilled from the remembered digits, full points and shares for this
    // faculty's points per percent, then saves the entries file. The caller
    // shows the page, which then focuses the first control of its tab order.
    void EnterGpaPrPage(float scorePerPercent);

    // Change of user: the boxes back to "0", "00", "00", "00" (the points
    // follow them down to 0).
    void resetBoxes();
    // Shows the session's mean, SD and year text (after the parameter dialog).
    void showParams();
    // The remembered GPA or PR changed elsewhere (the all-faculties window):
    // its two boxes show it, and the points follow. The other pair keeps
    // whatever was typed there.
    void showRememberedGpa();
    void showRememberedPr();

    // The boxes' digits into the session's entries, as leaving the page does.
    void storeDigits();

    double GpaScore() const { return m_GpaScore; }
    double PrScore() const { return m_PrScore; }
    // Captions of Label_maxGpaPr(0) and (1): the full points of each share.
    QString GpaFullText() const;
    QString PrFullText() const;

signals:
    void backClicked();  // digits taken and entries file saved
    void nextClicked();  // digits taken

private:
    // The four boxes in the order the focus moves through them.
    enum Box { GpaInteger, GpaDecimals, PrInteger, PrDecimals, BoxCount };

    void buildControls();
    void resetTabOrder();
    // The year of the range table param.opt names, which the note gives.
    QString NoteYear() const;
    void showEvent(QShowEvent* event) override;

    void Box_GotFocus(Box box);
    void Box_KeyPress(Box box, int characterCode);
    void Box_LostFocus(Box box);
    void recomputeGpa();
    void recomputePr();

    BoxTexts gpaTexts() const;
    BoxTexts prTexts() const;
    void setBoxText(Box box, const std::string& text);
    std::optional<double> gpaPointsNow();
    std::optional<double> prPointsNow() const;

    Session& m_session;
    float m_ScorePerPercent = 0;
    double m_GpaScore = 0;
    // The message of a database fault that left the GPA points unknown;
    // empty while the points are sound.
    QString m_gpaFault;
    double m_PrScore = 0;
    // Keys typed in each box since it last got the focus.
    std::array<std::uint8_t, BoxCount> m_keyCount{};

    // F3Text_GPA(0), F3Text_GPA(1), F3Text_PR(0), F3Text_PR(1).
    std::array<EntryBox*, BoxCount> m_box{};
    QLabel* m_Label_gpa_sc = nullptr;
    QLabel* m_Label_pr_sc = nullptr;
    std::array<QLabel*, 2> m_Label_maxGpaPr{};
    QLabel* m_F3LabelMeanGPA = nullptr;
    QLabel* m_F3LabelSD = nullptr;
    QLabel* m_F3LabelMeanGgpSdComment = nullptr;
    QLabel* m_F4LabelYearMaxMin1 = nullptr;
    QPushButton* m_F3CmdBack = nullptr;
    QPushButton* m_F3CmdNext = nullptr;
    TabSequence m_tabs{{}};
};

}  // namespace tamrik
