#pragma once
// Page 1: choosing the faculty, from the two lists or by its four-digit code.
// Every row comes from the table SUName. The page writes the chosen faculty
// into the header strip, and Next is usable exactly while the header shows a
// code. It does not load the faculty's rule: Next only announces the click.

#include <QFrame>
#include <QString>
#include <cstdint>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tamrik {

class CaptionLabel;
class EntryBox;
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

    // Fills the university list while counting the faculties, then shows the
    // first university with its faculties and no faculty chosen, the rule
    // data's admission year, and whether they are a made-up sample. Throws
    // ruledb::DbError, naming the file and the table or column, when the
    // database cannot answer, SUName has no row or a name in it is null.
    void fillAtStartup();

    const std::string& SelFacCode() const { return m_SelFacCode; }
    const QString& SelFacName() const { return m_SelFacName; }
    const QString& SelUName() const { return m_SelUName; }
    // Number of faculties, the highest valid code; saturates at 32767.
    std::int16_t FacCount() const { return m_FacCount; }
    // The text of the code box, which equals SelFacCode while a faculty is shown.
    QString facIdText() const;

    // Shows the faculty with this code as chosen, as a valid code typed on the
    // page would; false, changing nothing, when there is none.
    bool chooseFacultyByCode(const std::string& code);

signals:
    void nextClicked();
    void changeUserClicked();

private:
    void buildControls();

    void F1ComboUniver_Click();
    void F1ComboFac_Click();
    void F1TxtFacID_Change();
    void F1TxtFacID_GotFocus();
    void F1TxtFacID_KeyPress(int characterCode);
    void F1TxtFacID_LostFocus();
    void LabelFacID_Change(const QString& caption);
    void setCodeMode(bool useCode);

    // The code check's valid path. Returns false, changing nothing, when no
    // faculty has this code.
    bool showFacultyByCode(const std::string& code);
    void rejectCode();
    // Runs a query of one university's faculties and adds every FacName of
    // its rows to F1ComboFac.
    void addFacultyNames(const char* sql, const QString& university);

    Session& m_session;
    HeaderLabels m_header;

    std::string m_SelFacCode;
    QString m_SelFacName;
    QString m_SelUName;
    std::int16_t m_FacCount = 0;

    QLabel* m_F1Label4 = nullptr;  // the year of the faculty codes
    QLabel* m_F1LabelSampleNotice = nullptr;
    QGroupBox* m_Frame8 = nullptr;
    QRadioButton* m_OptNoUseID = nullptr;
    QRadioButton* m_OptUseID = nullptr;
    QFrame* m_Frame7 = nullptr;
    QComboBox* m_F1ComboUniver = nullptr;
    QComboBox* m_F1ComboFac = nullptr;
    QFrame* m_Frame2 = nullptr;
    EntryBox* m_F1TxtFacID = nullptr;
    QPushButton* m_F1CmdOkFac = nullptr;
    QPushButton* m_F1CmdChange = nullptr;
    QPushButton* m_F1CmdNext = nullptr;
};

}  // namespace tamrik
