#pragma once
// Page 3: the GPA and the PR, with their points following every keystroke.

#include <QFrame>

class QPushButton;

namespace tamrik {

class Session;

class GpaPrPage : public QFrame {
    Q_OBJECT
public:
    GpaPrPage(Session& session, QWidget* parent);

    // Prepares the page on the way from page 2 and saves the entries file;
    // the caller shows the page.
    void EnterGpaPrPage(float scorePerPercent);

    double GpaScore() const { return m_GpaScore; }
    double PrScore() const { return m_PrScore; }

signals:
    void backClicked();  // digits taken and entries file saved
    void nextClicked();

private:
    Session& m_session;
    QPushButton* m_F3CmdBack;
    QPushButton* m_F3CmdNext;
    double m_GpaScore = 0;
    double m_PrScore = 0;
};

}  // namespace tamrik
