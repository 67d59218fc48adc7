// What the user of the all-faculties window waits for, offscreen in the
// program's faces, over the rule database TAMRIK_RULE_DB names: opening it
// (every faculty's rule read once), a score edited (every faculty evaluated
// again, re-ranked, the table and the details updated), a score typed with
// the window on screen and painted, and a key typed in the name filter.
#include "facultiesmodel.h"
#include "frmallfaculties.h"
#include "messageservice.h"
#include "session.h"
#include "thaifonts.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTableView>

#include <cstdlib>

namespace {

class SilentMessages : public tamrik::MessageService {
public:
    void show(const QString&) override {}
};

std::unique_ptr<tamrik::Session> MakeSession(SilentMessages& messages)
{
    const char* path = std::getenv("TAMRIK_RULE_DB");
    auto session = std::make_unique<tamrik::Session>(messages, QDir::tempPath().toStdString());
    session->setRuleDb(std::make_unique<tamrik::ruledb::RuleDatabase>(path ? path : "bin/ScoreRule.mdb"));
    return session;
}

void BM_OpenWindow(benchmark::State& state)
{
    SilentMessages messages;
    auto session = MakeSession(messages);
    for (auto _ : state) {
        auto window = std::make_unique<tamrik::FrmAllFaculties>(*session, nullptr);
        benchmark::DoNotOptimize(window->ranking().rowCount());
        // Closing is not what opening waits for.
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

void BM_ScoreEdited(benchmark::State& state)
{
    SilentMessages messages;
    auto session = MakeSession(messages);
    tamrik::FrmAllFaculties window(*session, nullptr);
    window.findChild<QTableView*>(QStringLiteral("TableFaculties"))->selectRow(0);
    auto& scores = session->entries().ScoreByCode;
    for (const int slot : {0, 1, 2, 3, 40})
        scores[slot] = "70";
    int n = 0;
    for (auto _ : state) {
        scores[0] = std::to_string(50 + (n++ % 40));
        window.reloadEntries();
    }
}
BENCHMARK(BM_ScoreEdited)->Unit(benchmark::kMillisecond);

// A score typed into the window's own list, shown on screen: each key
// ranks what the cell holds, and the rows in sight and the details are
// painted again.
void BM_ScoreEditedAndPainted(benchmark::State& state)
{
    SilentMessages messages;
    auto session = MakeSession(messages);
    auto& scores = session->entries().ScoreByCode;
    for (const int slot : {1, 2, 3, 40})
        scores[slot] = "70";
    tamrik::FrmAllFaculties window(*session, nullptr);
    window.show();
    window.findChild<QTableView*>(QStringLiteral("TableFaculties"))->selectRow(0);
    auto* list = window.findChild<QTableView*>(QStringLiteral("TableScores"));
    const QModelIndex first = list->model()->index(0, 2);
    list->setCurrentIndex(first);
    list->edit(first);
    auto* cell = list->findChild<QLineEdit*>();
    QApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        cell->selectAll();
        cell->insert(QString::number(50 + (n++ % 40)));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScoreEditedAndPainted)->Unit(benchmark::kMillisecond);

void BM_FilterKeystroke(benchmark::State& state)
{
    SilentMessages messages;
    auto session = MakeSession(messages);
    tamrik::FrmAllFaculties window(*session, nullptr);
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("TextFacultyFilter"));
    const QString typed = QStringLiteral("คณะวิศวกรรม");
    int n = 0;
    for (auto _ : state)
        filter->setText(typed.left(1 + n++ % typed.size()));
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program's own faces: Thai drawn in a face that has it.
    tamrik::installThaiFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
