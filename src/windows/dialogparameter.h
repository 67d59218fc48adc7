#pragma once
// Edits the three scoring parameters: the mean and SD of the GPA in view, the
// range table's name in a group the window's size leaves out of sight. Each
// box is checked when it is left; OK stores the texts as typed, announces
// them (the main window shows them on pages 3 and 4) and writes param.opt.
// Cancel, Esc or closing the window change nothing. The boxes are filled from
// the parameters when the dialog is built; it deletes itself when closed.

#include <QDialog>
#include <filesystem>
#include <string>

class QPushButton;

namespace tamrik {

class EntryBox;
class MessageService;
struct ScoringParams;

class DialogParameter : public QDialog {
    Q_OBJECT
public:
    DialogParameter(ScoringParams& params, std::filesystem::path dataFolder, MessageService& messages,
                    QWidget* parent = nullptr);

signals:
    // The parameters hold the accepted texts; param.opt is written next.
    void parametersAccepted();

private:
    void buildControls();
    void placeBar(const QString& lineName, const QWidget* label);
    // Refuses a value outside (0, upper) in a box just left: the message, the
    // last accepted text back in the box and the focus kept there.
    void checkOnLeaving(EntryBox* box, double upper, const QString& message, const std::string& lastAccepted);
    void OKButton_Click();

    ScoringParams& m_params;
    std::filesystem::path m_dataFolder;
    MessageService& m_messages;
    bool m_checking = false;

    EntryBox* m_TextMeanGpa = nullptr;
    EntryBox* m_TextSD = nullptr;
    EntryBox* m_TextDbMaxMin = nullptr;
    QPushButton* m_OKButton = nullptr;
    QPushButton* m_CancelButton = nullptr;
};

}  // namespace tamrik
