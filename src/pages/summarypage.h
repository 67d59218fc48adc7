#pragma once
// Page 4: the four shares, the composite score, the highest possible score and
// last year's highest and lowest score of the faculty. Nothing here is edited.

#include <QFrame>

class QPushButton;

namespace tamrik {

class Session;

class SummaryPage : public QFrame {
    Q_OBJECT
public:
    SummaryPage(Session& session, QWidget* parent);

signals:
    void backClicked();
    void firstPageClicked();

private:
    Session& m_session;
    QPushButton* m_F4CmdBack;
    QPushButton* m_F4CmdNext;
};

}  // namespace tamrik
