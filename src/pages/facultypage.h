#pragma once
// Page 1: choosing the faculty, from the two lists or by its four-digit code.
// It writes the chosen faculty into the header strip, whose code enables Next.

#include <QFrame>
#include <string>

class QPushButton;

namespace tamrik {

class CaptionLabel;
class Session;

struct HeaderLabels {
    CaptionLabel* LabelFacID;
    CaptionLabel* LabelFacName;
    CaptionLabel* LabelUname;
};

class FacultyPage : public QFrame {
    Q_OBJECT
public:
    FacultyPage(Session& session, const HeaderLabels& header, QWidget* parent);

    // Fills the university list and the first university's faculties. Throws
    // ruledb::DbError when the database cannot answer.
    void FillAtStartup();

    const std::string& SelFacCode() const { return m_SelFacCode; }
    QString facIdText() const;

signals:
    void nextClicked();
    void changeUserClicked();

private:
    Session& m_session;
    HeaderLabels m_header;
    std::string m_SelFacCode;
    QPushButton* m_F1CmdNext;
    QPushButton* m_F1CmdChange;
};

}  // namespace tamrik
