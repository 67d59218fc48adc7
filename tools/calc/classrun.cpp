#include "classrun.h"

#include "atomicfile.h"
#include "batchrun.h"
#include "classworkbook.h"
#include "report.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <thread>

namespace tamrikcalc {

int runClass(const ClassRun& run, RowSettings settings, Output& out, std::ostream& err, bool progressToErr)
{
    const std::string bom(run.options.csvBom ? kUtf8ByteOrderMark : "");
    settings.wishes = run.applicants.hasWishes();
    settings.detail = settings.wishes || run.options.format == Format::Json ? tamrik::Detail::Needed
                                                                          : tamrik::Detail::Figures;
    if (!run.options.top && settings.wishes)
        settings.top = 0;  // the wishes alone, unless suggestions are asked for
    err << run.applicants.wishNotes([&](const std::string& code) { return run.index.count(code) > 0; });
    std::optional<tamrik::AtomicFileWriter> file;
    if (run.options.output) {
        file.emplace(std::filesystem::u8path(*run.options.output));
        if (!file->ok())
            return cannotWrite(err, *run.options.output, file->error());
    }
    const auto write = [&](std::string_view text) {
        if (!file)
            return out.write(text);
        file->write(text);
        return file->ok();
    };
    const auto progress = [&](std::size_t done) {
        if (progressToErr)
            err << "\r" << done << " / " << run.count << " applicants" << (done == run.count ? "\n" : "")
                << std::flush;
    };
    const auto next = [&](std::vector<BatchApplicant>& block, std::size_t most) {
        return run.applicants.next(block, most);
    };
    const bool json = run.options.format == Format::Json;
    const bool xlsx = run.options.format == Format::Xlsx;
    const auto evaluate = [&](const std::vector<BatchApplicant>& block) {
        BlockOutput output;
        for (const BatchApplicant& a : block) {
            StudentRows student = studentRows(run.evaluator, run.index, run.context, a, settings);
            if (xlsx)
                output.students.push_back(std::move(student));
            else if (json)
                output.text += jsonRows(student, run.sample);
            else
                output.text += csvRows(student.rows, &student.id, settings.wishes);
        }
        return output;
    };
    std::optional<WorkbookFile> workbook;
    if (xlsx) {
        workbook.emplace(run.sample);
        if (!workbook->ok())
            return cannotWrite(err, *run.options.output, workbook->error());
    }
    bool first = true;  // JSON's first row has no comma before it
    const auto writeBlock = [&](BlockOutput& block) {
        if (workbook) {
            for (const StudentRows& student : block.students)
                workbook->book().add(student);
            return true;
        }
        const std::string_view text(block.text);
        const bool drop = first && json && !text.empty();
        first = first && text.empty();
        return write(drop ? text.substr(1) : text);
    };
    const bool started = xlsx || write(json ? std::string("[") : bom + csvHeader(true, settings.wishes));
    const BatchOutcome outcome =
        started ? runBatch(run.count, next, run.options.jobs.value_or(std::max(1u, std::thread::hardware_concurrency())),
                           evaluate, writeBlock, progress)
                : BatchOutcome();
    if (outcome.threads < outcome.wanted)
        err << "tamrik-calc: " << outcome.threads << " of " << outcome.wanted
            << " threads could be started; the work went on without the others\n";
    if (!run.applicants.error().empty() || (outcome.done && !run.applicants.atEnd())) {
        err << "tamrik-calc: " << run.applicants.error() << '\n';
        return kDbFault;
    }
    if (outcome.done && json)
        write(first ? "]\n" : "\n]\n");
    if (workbook && outcome.done && !workbook->finish(write))
        return cannotWrite(err, *run.options.output, workbook->error());
    if (file) {
        if (!(outcome.done && file->commit()))
            return cannotWrite(err, *run.options.output, file->error());
        return kDone;
    }
    return out.finish(err, kDone);
}

}  // namespace tamrikcalc
