#pragma once
// Page 4: the four shares, the composite score, the highest possible score and
// last year's highest and lowest score of the faculty. Nothing here is edited.
//
// The figures come from the core's summary; this page only writes them into
// its labels and asks the rule database for last year's range. Every build
// rewrites it; it keeps the range it showed for the printout.

#include "summary.h"

#include <QFrame>
#include <array>
#include <optional>
#include <string>

class QLabel;
class QPushButton;

namespace tamrik {

class Session;

class SummaryPage : public QFrame {
    Q_OBJECT
public:
    SummaryPage(Session& session, QWidget* parent);

    // Fills every label from the values handed over by pages 2 and 3 (the
    // digits as the session's entries hold them), then shows last year's range of the faculty `selFacCode` ("0.00" for
    // both when the range table or its row is missing or unusable). The
    // caller shows the page.
    void buildSummaryPage(const SummaryInput& input, const std::string& selFacCode);

    // Last year's lowest and highest as shown, "0.00" when the faculty has no
    // row; empty when the database could not be read.
    struct LastYearTexts {
        std::string min;
        std::string max;
    };
    const std::optional<LastYearTexts>& LastYear() const { return m_lastYear; }

    // Change of user: the four earned figures become "0".
    void resetMyScores();
    // Shows the session's mean, SD and year text (after the parameter dialog).
    void showParams();

signals:
    void backClicked();
    void firstPageClicked();

private:
    void buildControls();

    Session& m_session;
    std::array<QLabel*, 4> m_LabelMyScore{};
    std::array<QLabel*, 4> m_LabelMaxScore{};
    std::array<QLabel*, 2> m_Label_total_score{};
    QLabel* m_F4LabelGPA = nullptr;
    QLabel* m_F4LabelPR = nullptr;
    QLabel* m_F4LabelMeanGpa = nullptr;
    QLabel* m_F4LabelSD = nullptr;
    QLabel* m_yearHeading = nullptr;  // Label_temp(6)
    QLabel* m_F4LabelYearMaxMin0 = nullptr;
    QLabel* m_F4LabelMaxLastYear = nullptr;
    QLabel* m_F4LabelMinLastYear = nullptr;
    QPushButton* m_F4CmdBack = nullptr;
    QPushButton* m_F4CmdNext = nullptr;
    std::optional<LastYearTexts> m_lastYear;
};

}  // namespace tamrik
