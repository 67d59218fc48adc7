#pragma once
// The all-faculties window ("ทุกคณะ"): the applicant's name and scores on
// the left, every faculty ranked by the engine on the right, filters above
// it, the selected faculty's details below, the shortlist of four choices
// with their figures side by side under both, and the line saying what the
// figures are not. Each is a panel of its own; the window builds them,
// carries what one tells to the others, and keeps itself on its screen.
//
// Flow: the wizard's remembered entries (Session) -> Applicant -> the engine
// over every faculty's rule, loaded once (FacultyScoring) -> the ranking ->
// the details and the shortlist. An edit here goes into the same entries and
// file the wizard uses and is announced, so the main window can refresh its
// pages; the window works no figure out itself.

#include "applicant.h"
#include "evaluation.h"
#include "facultyscoring.h"
#include "filechooser.h"
#include "shortlist.h"

#include <QWidget>
#include <vector>

namespace tamrik {

class DetailsPanel;
class FacultiesModel;
class RankingPanel;
class ScoresPanel;
class Session;
class ShortlistPanel;

class FrmAllFaculties : public QWidget {
    Q_OBJECT
public:
    // Reads every faculty's rule once. Throws ruledb::DbError when the
    // database cannot list the faculties or subjects.
    FrmAllFaculties(Session& session, QWidget* parent);
    ~FrmAllFaculties() override;

    // The wizard changed the remembered entries: show them and rank again.
    void reloadEntries();
    // Change of user: the shortlist empties (the main window removes its
    // file) and the filters show every faculty again.
    void forgetUser();

    void setFileChooser(SaveFileChooser chooser);
    void setOpenFileChooser(OpenFileChooser chooser) { m_chooseOpen = std::move(chooser); }
    // Every faculty as ranked now.
    const FacultiesModel& ranking() const;
    const Shortlist& shortlist() const;

signals:
    // Each saved to the entries file already.
    void scoreEdited(const QString& code);
    void gpaEdited();
    void prEdited();
    void facultyChosen(const QString& facCode);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildLayout(const Session& session);
    // Inside the available area of the screen it is on, frame and all.
    void fitScreen();
    void buildTabOrder();
    // Ranks the remembered entries.
    void recompute();
    // Ranks what an edit being typed would make of them, before it is committed.
    void preview(const Applicant& applicant);
    // Back to the remembered entries if a value being typed was ranked.
    void dropPreview();
    void rank(const Applicant& applicant);
    void showDetails();
    void addSelected();
    void showLegend();
    void saveShortlist();
    void openShortlist();

    Session& m_session;
    FacultyScoring m_scoring;
    OpenFileChooser m_chooseOpen;
    SaveFileChooser m_chooseSave;
    bool m_placed = false;  // fitted to its screen once, when first shown
    bool m_framed = false;  // fitted again once the window manager's frame was known
    bool m_previewShown = false;  // the ranking shows a value still being typed

    ScoresPanel* m_scores = nullptr;
    RankingPanel* m_ranking = nullptr;
    DetailsPanel* m_details = nullptr;
    ShortlistPanel* m_shortlist = nullptr;
    QWidget* m_legend = nullptr;
    QWidget* m_detailsArea = nullptr;
};

}  // namespace tamrik
