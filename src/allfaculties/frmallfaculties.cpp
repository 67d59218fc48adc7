#include "frmallfaculties.h"

#include "detailspanel.h"
#include "exportfile.h"
#include "facultiesmodel.h"
#include "legendwindow.h"
#include "messageservice.h"
#include "namedwidget.h"
#include "programtexts.h"
#include "rankingpanel.h"
#include "samplestrip.h"
#include "scorespanel.h"
#include "session.h"
#include "shortlistkeeping.h"
#include "shortlistpanel.h"

#include <QFileInfo>
#include <QLabel>
#include <QMoveEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

namespace tamrik {

FrmAllFaculties::FrmAllFaculties(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_session(session),
      m_scoring(session),
      m_chooseOpen(dialogOpenFileChooser()),
      m_chooseSave(dialogSaveFileChooser())
{
    setObjectName(QStringLiteral("FrmAllFaculties"));
    setWindowTitle(QStringLiteral("ทุกคณะ"));
    setAccessibleName(QStringLiteral("ทุกคณะ"));
    m_scores = new ScoresPanel(session);
    m_ranking = new RankingPanel(m_scoring.evaluator());
    m_details = new DetailsPanel(m_ranking->faculties());
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
    connect(m_shortlist, &ShortlistPanel::saveRequested, this, &FrmAllFaculties::saveShortlist);
    connect(m_shortlist, &ShortlistPanel::openRequested, this, &FrmAllFaculties::openShortlist);
    connect(m_ranking, &RankingPanel::legendRequested, this, &FrmAllFaculties::showLegend);

    reloadEntries();
    m_ranking->fitFigureColumns();
    m_ranking->sortByRank();
    // Every column of the ranking at once where the screen has the room;
    // never more than the screen: showEvent fits the frame in too.
    QSize size(1800, 900);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size());
    resize(size);
}

void FrmAllFaculties::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        fitScreen();
    }
}

void FrmAllFaculties::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // A window manager frames the window after it is shown (X11 tells the
    // frame late): fit once more then, or the frame pushes the bottom off screen.
    if (m_placed && !m_framed && frameGeometry() != geometry()) {
        m_framed = true;
        fitScreen();
    }
}

void FrmAllFaculties::fitScreen()
{
    const QScreen* shown = screen();
    if (!shown || isMaximized() || isFullScreen())
        return;
    const QRect area = shown->availableGeometry();
    // The frame is known once the window is shown.
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = this->size().boundedTo(room).expandedTo(minimumSizeHint().boundedTo(room));
    resize(size);
    QRect placed(QPoint(), size.grownBy(frame));
    placed.moveCenter(area.center());
    placed.moveTopLeft(QPoint(std::max(placed.left(), area.left()), std::max(placed.top(), area.top())));
    move(placed.topLeft());
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
    // The details can be dragged smaller or folded away for more rows.
    auto* right = new QSplitter(Qt::Vertical);
    auto* details = named(new QScrollArea, QStringLiteral("ScrollFacultyDetails"),
                          QStringLiteral("รายละเอียดคณะที่เลือก"));
    m_detailsArea = details;
    details->setWidget(m_details);
    details->setWidgetResizable(true);
    details->setFrameShape(QFrame::NoFrame);
    details->setMinimumHeight(m_details->fontMetrics().lineSpacing() * 2);
    right->addWidget(m_ranking);
    right->addWidget(details);
    right->setStretchFactor(0, 1);
    right->setStretchFactor(1, 0);
    right->setSizes({1000, m_details->fontMetrics().lineSpacing() * 3 + 6});

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(m_scores);
    split->addWidget(right);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({250, 1000});

    auto* notice = new QLabel(resultNoticeText());
    notice->setObjectName(QStringLiteral("LabelResultNotice"));
    notice->setTextFormat(Qt::PlainText);
    QFont bold = notice->font();
    bold.setBold(true);
    notice->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    if (session.sampleData()) {
        // From the left edge: on a small screen the window runs past the right one.
        QLabel* strip = makeSampleStrip(this, QStringLiteral("LabelSampleNotice"));
        strip->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        strip->setIndent(8);
        layout->addWidget(strip);
    }
    layout->addWidget(split, 1);
    layout->addWidget(m_shortlist);
    layout->addWidget(notice);
}

void FrmAllFaculties::buildTabOrder()
{
    // The details scroll with the keyboard too.
    const QList<QWidget*> order =
        m_scores->tabStops() + m_ranking->tabStops() + QList<QWidget*>{m_detailsArea} + m_shortlist->tabStops();
    for (QWidget* w : order)
        w->setFocusPolicy(Qt::StrongFocus);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FrmAllFaculties::setFileChooser(SaveFileChooser chooser)
{
    m_chooseSave = chooser;
    m_shortlist->setFileChooser(std::move(chooser));
}

const FacultiesModel& FrmAllFaculties::ranking() const { return m_ranking->faculties(); }

const Shortlist& FrmAllFaculties::shortlist() const { return m_shortlist->shortlist(); }

void FrmAllFaculties::reloadEntries()
{
    m_scores->reload();
    recompute();
}

void FrmAllFaculties::forgetUser()
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
    m_ranking->setRanking(m_scoring.rank(applicant));
}

void FrmAllFaculties::showDetails() { m_details->showFaculty(m_ranking->selectedCode()); }

void FrmAllFaculties::addSelected() { m_shortlist->add(m_ranking->selectedCode()); }

void FrmAllFaculties::showLegend()
{
    if (!m_legend) {
        m_legend = new LegendWindow(this);
        m_legend->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_legend->show();
    m_legend->raise();
    m_legend->activateWindow();
}

void FrmAllFaculties::saveShortlist()
{
    QString path = m_chooseSave(this, QStringLiteral("เก็บอันดับที่เลือกเป็นไฟล์"),
                                QStringLiteral("tamrik-shortlist.") + QLatin1String(kShortlistSuffix),
                                QStringLiteral("Tamrik (*.%1)").arg(QLatin1String(kShortlistSuffix)));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QLatin1String(kShortlistSuffix);
    if (!saveShortlistFile(path, currentShortlistFile(m_session, m_shortlist->shortlist().codes())))
        m_session.messages().show(saveFailedMessage(path));
}

void FrmAllFaculties::openShortlist()
{
    const QString path = m_chooseOpen(this, QStringLiteral("เปิดไฟล์อันดับที่เลือก"),
                                      QStringLiteral("Tamrik (*.%1);;JSON (*.json)").arg(QLatin1String(kShortlistSuffix)));
    if (path.isEmpty())
        return;
    const ShortlistFileRead read = loadShortlistFile(path);
    if (!read.file) {
        m_session.messages().show(openFailedMessage(path, read.problem));
        return;
    }
    const UserEntries before = m_session.entries();
    const QStringList changed = takeShortlistFile(m_session, *read.file);
    m_shortlist->replace(read.file->choices);
    reloadEntries();
    // The main window's pages follow as after edits made here.
    for (const QString& code : changed)
        emit scoreEdited(code);
    if (before.GpaDigits != m_session.entries().GpaDigits)
        emit gpaEdited();
    if (before.PrDigits != m_session.entries().PrDigits)
        emit prEdited();
}

}  // namespace tamrik
