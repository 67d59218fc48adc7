#pragma once
// Page 2: one row per subject of the loaded faculty, the live subtotals and
// the minimum check.

#include <QFrame>
#include <string>

class QPushButton;

namespace tamrik {

class Session;

class SubjectPage : public QFrame {
    Q_OBJECT
public:
    SubjectPage(Session& session, QWidget* parent);

    // Loads the faculty's rule and lays the page out for it. On failure shows
    // one message naming the faculty and what is missing, leaves the page
    // untouched and returns false.
    bool LoadRule(const std::string& selFacCode, const std::string& facIdText);

    double MainTotalScore() const { return m_MainTotalScore; }
    double SpecTotalScore() const { return m_SpecTotalScore; }
    const QString& MainMaxText() const { return m_MainMaxText; }
    const QString& SpecMaxText() const { return m_SpecMaxText; }
    float ScorePerPercent() const { return m_ScorePerPercent; }

signals:
    void backClicked();   // rows already cleared
    void accepted();      // check passed, scores remembered
    void checkFailed();   // messages shown, scores remembered, rows cleared

private:
    Session& m_session;
    QPushButton* m_F2CmdBack;
    QPushButton* m_F2CmdNext;
    double m_MainTotalScore = 0;
    double m_SpecTotalScore = 0;
    QString m_MainMaxText;
    QString m_SpecMaxText;
    float m_ScorePerPercent = 0;
};

}  // namespace tamrik
