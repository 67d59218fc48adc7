#include "frmallfaculties.h"

#include "detailspanel.h"
#include "facultiesmodel.h"
#include "rankingpanel.h"
#include "samplestrip.h"
#include "scorespanel.h"
#include "session.h"
#include "shortlistpanel.h"

#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

namespace tamrik {

FrmAllFaculties::FrmAllFaculties(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_scoring(session)
{
    setObjectName(QStringLiteral("FrmAllFaculties"));
    setWindowTitle(QStringLiteral("ทุกคณะ"));
    setAccessibleName(QStringLiteral("ทุกคณะ"));
    m_scores = new ScoresPanel(session);
    m_ranking = new RankingPanel(m_scoring.faculties());
    m_details = new DetailsPanel(m_scoring);
    m_shortlist = new ShortlistPanel(session, m_scoring, m_ranking->faculties(), m_ranking->shown());
    buildLayout(session);
    buildTabOrder();

    // A committed edit ranks again before the main window hears of it.
    connect(m_scores, &ScoresPanel::scoreEdited, this, &FrmAllFaculties::recompute);
    connect(m_scores, &ScoresPanel::scoreEdited, this, &FrmAllFaculties::scoreEdited);
    connect(m_scores, &ScoresPanel::gpaEdited, this, &FrmAllFaculties::recompute);
    connect(m_scores, &ScoresPanel::gpaEdited, this, &FrmAllFaculties::gpaEdited);
    connect(m_scores, &ScoresPanel::prEdited, this, &FrmAllFaculties::recompute);
    connect(m_scores, &ScoresPanel::prEdited, this, &FrmAllFaculties::prEdited);
    connect(m_scores, &ScoresPanel::typing, this, &FrmAllFaculties::preview);
    connect(m_scores, &ScoresPanel::typingDropped, this, &FrmAllFaculties::dropPreview);
    connect(m_scores, &ScoresPanel::editRefused, this, &FrmAllFaculties::recompute);
    connect(m_ranking, &RankingPanel::selectionChanged, this, &FrmAllFaculties::showDetails);
    connect(m_ranking, &RankingPanel::facultyChosen, this, &FrmAllFaculties::facultyChosen);
    connect(m_shortlist, &ShortlistPanel::addRequested, this, &FrmAllFaculties::addSelected);

    ReloadEntries();
    m_ranking->sortByRank();
    // Every column of the ranking at once where the screen has the room.
    QSize size(1800, 900);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size());
    resize(size.expandedTo(QSize(1340, 760)));
}

FrmAllFaculties::~FrmAllFaculties()
{
    // Closing takes the focus from the boxes, whose handlers must not run on
    // a half-destroyed window: a value being typed is not taken.
    const QObject* const handlers[] = {this, m_scores, m_ranking, m_shortlist};
    for (QObject* child : findChildren<QObject*>()) {
        for (const QObject* handler : handlers)
            disconnect(child, nullptr, handler, nullptr);
    }
}

void FrmAllFaculties::buildLayout(const Session& session)
{
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_ranking, 1);
    rightLayout->addWidget(m_details);

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(m_scores);
    split->addWidget(right);
    split->setSizes({300, 1000});
    auto* layout = new QVBoxLayout(this);
    if (session.SampleData()) {
        // From the left edge: on a small screen the window runs past the right one.
        QLabel* strip = MakeSampleStrip(this, QStringLiteral("LabelSampleNotice"));
        strip->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        strip->setIndent(8);
        layout->addWidget(strip);
    }
    layout->addWidget(split, 5);
    layout->addWidget(m_shortlist, 2);
}

void FrmAllFaculties::buildTabOrder()
{
    const QList<QWidget*> order = m_scores->tabStops() + m_ranking->tabStops() + m_shortlist->tabStops();
    for (QWidget* w : order)
        w->setFocusPolicy(Qt::StrongFocus);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FrmAllFaculties::setFileChooser(SaveFileChooser chooser) { m_shortlist->setFileChooser(std::move(chooser)); }

const std::vector<FacultyEvaluation>& FrmAllFaculties::evaluations() const
{
    return m_ranking->faculties().evaluations();
}

const Shortlist& FrmAllFaculties::shortlist() const { return m_shortlist->shortlist(); }

void FrmAllFaculties::ReloadEntries()
{
    m_scores->reload();
    recompute();
    m_ranking->fitFigureColumns();
}

void FrmAllFaculties::ForgetUser()
{
    m_shortlist->forget();
    // What the last user looked for tells about them too.
    m_ranking->showEveryFaculty();
}

void FrmAllFaculties::recompute()
{
    m_previewShown = false;
    rank(m_scoring.remembered());
}

void FrmAllFaculties::preview(const Applicant& applicant)
{
    rank(applicant);
    m_previewShown = true;
}

void FrmAllFaculties::dropPreview()
{
    if (m_previewShown)
        recompute();
}

void FrmAllFaculties::rank(const Applicant& applicant)
{
    m_ranked = applicant;
    m_ranking->setEvaluations(m_scoring.rankAll(applicant));
}

void FrmAllFaculties::showDetails() { m_details->showFaculty(m_ranking->selectedCode(), m_ranked); }

void FrmAllFaculties::addSelected() { m_shortlist->add(m_ranking->selectedCode()); }

}  // namespace tamrik
