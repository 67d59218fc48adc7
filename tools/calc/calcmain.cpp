#include "calcmain.h"

#include "atomicfile.h"
#include "batchrun.h"
#include "classworkbook.h"
#include "buildinfo.h"
#include "calcoptions.h"
#include "calcpaths.h"
#include "datafolder.h"
#include "evaluator.h"
#include "facultyloader.h"
#include "numtext.h"
#include "paramfile.h"
#include "ruletables.h"
#include "report.h"
#include "utf8text.h"
#include "wholetables.h"

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <system_error>
#include <thread>

namespace tamrikcalc {

namespace {

constexpr int kDone = 0;
constexpr int kDbFault = 1;
constexpr int kBadInput = 2;

int badInput(std::ostream& err, const std::vector<std::string>& errors)
{
    for (const std::string& e : errors)
        err << "tamrik-calc: " << e << '\n';
    err << "tamrik-calc: see tamrik-calc --help\n";
    return kBadInput;
}

int cannotWrite(std::ostream& err, const std::string& file, const std::string& reason)
{
    err << "tamrik-calc: cannot write '" << file << "': " << reason << '\n';
    return kDbFault;
}

// The output stream, keeping the system's reason when a write fails: what
// goes out must reach it whole, and a write error or a short write (a full
// disk, a closed pipe) is a fault, not a success.
class Output {
public:
    explicit Output(std::ostream& out) : m_out(out) {}

    bool write(std::string_view text)
    {
        errno = 0;
        if (m_out && !m_out.write(text.data(), static_cast<std::streamsize>(text.size())))
            m_error = errno;
        return static_cast<bool>(m_out);
    }

    // Flushed and checked: `status`, or 1 with the reason.
    int finish(std::ostream& err, int status)
    {
        errno = 0;
        if (m_out && !m_out.flush())
            m_error = errno;
        if (m_out)
            return status;
        err << "tamrik-calc: cannot write the output"
            << (m_error ? ": " + std::error_code(m_error, std::generic_category()).message() : std::string()) << '\n';
        return kDbFault;
    }

private:
    std::ostream& m_out;
    int m_error = 0;
};

// The faculty of a code as given: "0001", or a number such as 1.
std::optional<tamrik::FacultyRecord> loadGivenFaculty(const tamrik::ruledb::RuleDatabase& db,
                                                      const std::string& lastYearTable, const std::string& code)
{
    std::optional<tamrik::FacultyRecord> faculty = tamrik::loadFaculty(db, lastYearTable, code);
    if (!faculty && !code.empty() && code.size() <= 5 && code.find_first_not_of("0123456789") == std::string::npos) {
        const std::string wanted = tamrik::FormatText(code, "0000");
        if (wanted != code)
            faculty = tamrik::loadFaculty(db, lastYearTable, wanted);
    }
    return faculty;
}

// The faculties the rows may list, and the filter of the results.
RowSettings rowSettingsOf(const CalcOptions& o, const tamrik::Evaluator& evaluator)
{
    RowSettings settings;
    settings.top = o.top.value_or(tamrik::kEveryFaculty);
    settings.filter = tamrik::facultyFilterSettings(o.university, o.match, o.eligibleOnly);
    for (const tamrik::FacultyRecord& f : evaluator.faculties()) {
        const bool asked = o.faculties.empty()
                           || std::find(o.faculties.begin(), o.faculties.end(), f.facCode) != o.faculties.end();
        settings.listed.push_back(asked && tamrik::facultyNameMatches(settings.filter, f.university, f.name));
    }
    return settings;
}

}  // namespace

int RunCalc(const std::vector<std::string>& args, const std::filesystem::path& executableFolder, std::ostream& stream,
            std::ostream& err, bool progressToErr)
{
    Output out(stream);
    const ParsedOptions parsed = ParseCalcOptions(args);
    if (!parsed.errors.empty())
        return badInput(err, parsed.errors);
    const CalcOptions& o = parsed.options;
    if (o.mode == Mode::Help) {
        out.write(kUsage);
        return out.finish(err, kDone);
    }
    if (o.mode == Mode::Version) {
        out.write(std::string("tamrik-calc ") + TAMRIK_CALC_VERSION + "\n");
        return out.finish(err, kDone);
    }

    // The output file is looked at before any work, and all input is checked
    // before anything is read from the database.
    if (o.output) {
        const tamrik::OutputFile output = tamrik::PrepareOutputFile(*o.output);
        if (!output.problem.empty())
            return cannotWrite(err, *o.output, output.problem);
    }
    std::optional<ApplicantFile> applicants;
    std::size_t applicantCount = 0;
    if (o.mode == Mode::Batch) {
        applicants.emplace(o.batchFile);
        const std::optional<std::size_t> count =
            applicants->check([&](const std::string& fault) { err << "tamrik-calc: " << fault << '\n'; });
        if (!count)
            return badInput(err, {});
        applicantCount = *count;
    }
    const std::filesystem::path programFolder = tamrik::findProgramFolder(executableFolder);
    tamrik::ScoringParams params;
    if (o.param) {
        const auto read = tamrik::ReadParamFile(*o.param);
        if (!read)
            return badInput(err, {"cannot read the parameter file '" + *o.param + "'"});
        params = *read;
    } else {
        params = DefaultParams(programFolder);
    }

    std::unique_ptr<tamrik::ruledb::RuleDatabase> db;
    std::optional<tamrik::Evaluator> evaluator;
    bool sample = false;  // made-up rule data: every output says so
    tamrik::ScoringContext context{params.ParamMeanGpa, params.ParamSD, {}};
    try {
        db = std::make_unique<tamrik::ruledb::RuleDatabase>(
            o.db ? *o.db : (programFolder / tamrik::kRuleDbFileName).string());
        tamrik::ruledb::RequireRuleTables(*db);
        const auto info = tamrik::ruledb::ReadBuildInfo(*db);
        sample = info && info->Sample;
        context.prob = tamrik::LoadProbTable(*db);
        if (o.mode == Mode::Faculty) {
            std::optional<tamrik::FacultyRecord> faculty = loadGivenFaculty(*db, params.ParamDbMaxMin, o.faculty);
            if (!faculty)
                return badInput(err, {"unknown faculty '" + o.faculty + "'"});
            evaluator.emplace(std::vector<tamrik::FacultyRecord>{std::move(*faculty)});
        } else {
            std::vector<tamrik::FacultyRecord> faculties = tamrik::loadFaculties(*db, params.ParamDbMaxMin);
            if (!o.faculties.empty()) {
                std::vector<std::string> unknown;
                for (const std::string& code : o.faculties) {
                    if (std::none_of(faculties.begin(), faculties.end(),
                                     [&](const tamrik::FacultyRecord& f) { return f.facCode == code; }))
                        unknown.push_back("unknown faculty '" + code + "'");
                }
                if (!unknown.empty())
                    return badInput(err, unknown);
                // Only the faculties asked for, and those wished for, are evaluated.
                faculties.erase(std::remove_if(faculties.begin(), faculties.end(),
                                               [&](const tamrik::FacultyRecord& f) {
                                                   return !applicants->isWished(f.facCode)
                                                          && std::find(o.faculties.begin(), o.faculties.end(),
                                                                       f.facCode) == o.faculties.end();
                                               }),
                                faculties.end());
            }
            evaluator.emplace(std::move(faculties));
        }
    } catch (const tamrik::ruledb::DbError& e) {
        err << "tamrik-calc: " << e.what() << '\n';
        return kDbFault;
    }

    if (o.mode == Mode::Faculty) {
        const tamrik::FacultyEvaluation ev = evaluator->evaluate(0, o.applicant, context, tamrik::Detail::Needed);
        out.write(o.format == Format::Json ? JsonObject(ev, sample) + "\n"
                                           : (sample ? SampleLine() : std::string()) + TextBlock(ev));
        if (!ev.ok())
            err << "tamrik-calc: " << tamrik::ShownText(ev.error) << '\n';
        return out.finish(err, ev.ok() ? kDone : kDbFault);
    }

    const FacultyIndex index = facultyIndex(*evaluator);
    RowSettings rowSettings = rowSettingsOf(o, *evaluator);
    // CSV rows have no place for it: the note goes where the user reads.
    if (sample && o.format == Format::Csv)
        err << "tamrik-calc: " << SampleLine();
    const std::string bom = o.csvBom ? "\xEF\xBB\xBF" : "";

    if (o.mode == Mode::All) {
        rowSettings.detail = o.format == Format::Json ? tamrik::Detail::Needed : tamrik::Detail::Figures;
        const StudentRows ranked = studentRows(*evaluator, index, context, {{}, o.applicant, {}}, rowSettings);
        if (o.format == Format::Json) {
            out.write(JsonArray(ranked.rows, sample));
        } else if (o.format == Format::Csv) {
            out.write(bom + CsvHeader(false));
            out.write(CsvRows(ranked.rows));
        } else {
            out.write(sample ? SampleLine() : std::string());
            out.write(Table(ranked.rows));
        }
        return out.finish(err, kDone);
    }

    rowSettings.wishes = applicants->hasWishes();
    rowSettings.detail = rowSettings.wishes || o.format == Format::Json ? tamrik::Detail::Needed
                                                                          : tamrik::Detail::Figures;
    if (!o.top && rowSettings.wishes)
        rowSettings.top = 0;  // the wishes alone, unless suggestions are asked for
    err << applicants->wishNotes([&](const std::string& code) { return index.count(code) > 0; });
    std::optional<tamrik::AtomicFileWriter> file;
    if (o.output) {
        file.emplace(*o.output);
        if (!file->ok())
            return cannotWrite(err, *o.output, file->error());
    }
    const auto write = [&](std::string_view text) {
        if (!file)
            return out.write(text);
        file->write(text);
        return file->ok();
    };
    const auto progress = [&](std::size_t done) {
        if (progressToErr)
            err << "\r" << done << " / " << applicantCount << " applicants" << (done == applicantCount ? "\n" : "")
                << std::flush;
    };
    const auto next = [&](std::vector<BatchApplicant>& block, std::size_t most) {
        return applicants->next(block, most);
    };
    const bool json = o.format == Format::Json;
    const bool xlsx = o.format == Format::Xlsx;
    const auto evaluate = [&](const std::vector<BatchApplicant>& block) {
        BlockOutput output;
        for (const BatchApplicant& a : block) {
            StudentRows student = studentRows(*evaluator, index, context, a, rowSettings);
            if (xlsx)
                output.students.push_back(std::move(student));
            else if (json)
                output.text += JsonRows(student, sample);
            else
                output.text += CsvRows(student.rows, &student.id, rowSettings.wishes);
        }
        return output;
    };
    std::optional<WorkbookFile> workbook;
    if (xlsx) {
        workbook.emplace(sample);
        if (!workbook->ok())
            return cannotWrite(err, *o.output, workbook->error());
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
    const bool started = xlsx || write(json ? std::string("[") : bom + CsvHeader(true, rowSettings.wishes));
    const BatchOutcome outcome =
        started ? RunBatch(applicantCount, next, o.jobs.value_or(std::max(1u, std::thread::hardware_concurrency())),
                           evaluate, writeBlock, progress)
                : BatchOutcome();
    if (outcome.threads < outcome.wanted)
        err << "tamrik-calc: " << outcome.threads << " of " << outcome.wanted
            << " threads could be started; the work went on without the others\n";
    if (!applicants->error().empty() || (outcome.done && !applicants->atEnd())) {
        err << "tamrik-calc: " << applicants->error() << '\n';
        return kDbFault;
    }
    if (outcome.done && json)
        write(first ? "]\n" : "\n]\n");
    if (workbook && outcome.done && !workbook->finish(write))
        return cannotWrite(err, *o.output, workbook->error());
    if (file) {
        if (!(outcome.done && file->commit()))
            return cannotWrite(err, *o.output, file->error());
        return kDone;
    }
    return out.finish(err, kDone);
}

}  // namespace tamrikcalc
