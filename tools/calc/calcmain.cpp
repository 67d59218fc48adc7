#include "calcmain.h"

#include "allfacultyrules.h"
#include "atomicfile.h"
#include "batchrun.h"
#include "buildinfo.h"
#include "calcoptions.h"
#include "calcpaths.h"
#include "datafolder.h"
#include "numtext.h"
#include "paramfile.h"
#include "ruletables.h"
#include "report.h"
#include "utf8text.h"

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

// The record of a faculty code as given: "0001", or a number such as 1.
const tamrik::FacultyRecord* findFaculty(const std::vector<tamrik::FacultyRecord>& faculties, const std::string& code)
{
    const std::string& given = code;
    std::string wanted = code;
    if (!code.empty() && code.size() <= 5 && code.find_first_not_of("0123456789") == std::string::npos)
        wanted = tamrik::FormatText(code, "0000");
    for (const std::string* key : {&given, static_cast<const std::string*>(&wanted)}) {
        for (const tamrik::FacultyRecord& f : faculties) {
            if (f.facCode == *key)
                return &f;
        }
    }
    return nullptr;
}

// Hands what it holds over to a copy never freed, when the process ends
// right after: freeing 32,767 rules piece by piece took a tenth of --all.
template <typename T>
void leaveToProcessEnd(bool processEnds, T& value)
{
    if (processEnds)
        new T(std::move(value));
}

// Every faculty evaluated as soon as its rule is built, the rule let go
// right after: 32,767 rules held at once were most of --all's memory.
std::vector<tamrik::FacultyEvaluation> evaluateEveryFaculty(const tamrik::ruledb::RuleDatabase& db,
                                                            const std::string& lastYearTable,
                                                            const tamrik::Applicant& applicant,
                                                            const tamrik::ScoringContext& context,
                                                            const tamrik::EvaluateOptions& options)
{
    struct Evaluating : tamrik::ruledb::FacultyTaker {
        Evaluating(std::vector<tamrik::FacultyEvaluation>& all, const tamrik::Applicant& applicant,
                   const tamrik::ScoringContext& context, const tamrik::EvaluateOptions& options)
            : all(all), evaluator(applicant, context, options)
        {
        }
        void take(std::size_t index, tamrik::FacultyRecord&& record) override
        {
            all[index] = evaluator.evaluate(record);
        }
        std::vector<tamrik::FacultyEvaluation>& all;
        tamrik::FacultyEvaluator evaluator;
    };
    std::vector<tamrik::FacultyEvaluation> all;
    tamrik::ruledb::BuildEachFacultyRule(
        db, lastYearTable, options.threads, [&](std::size_t count) { all.resize(count); },
        [&] { return std::make_unique<Evaluating>(all, applicant, context, options); });
    tamrik::RankEvaluations(all);
    return all;
}

}  // namespace

int RunCalc(const std::vector<std::string>& args, const std::filesystem::path& executableFolder, std::ostream& stream,
            std::ostream& err, bool progressToErr, bool processEnds)
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
        const tamrik::OutputFile output = tamrik::PrepareOutputFile(std::filesystem::u8path(*o.output));
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
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    tamrik::ScoringParams params;
    if (o.param) {
        const auto read = tamrik::ReadParamFile(std::filesystem::u8path(*o.param));
        if (!read)
            return badInput(err, {"cannot read the parameter file '" + *o.param + "'"});
        params = *read;
    } else {
        params = DefaultParams(programFolder);
    }

    std::unique_ptr<tamrik::ruledb::RuleDatabase> db;
    tamrik::ruledb::AllFacultyRules rules;
    std::vector<tamrik::FacultyEvaluation> ranked;  // --all
    bool sample = false;                             // made-up rule data: every output says so
    tamrik::ScoringContext context{params.ParamMeanGpa, params.ParamSD, {}};
    struct LeftAtEnd {
        bool processEnds;
        std::unique_ptr<tamrik::ruledb::RuleDatabase>& db;
        tamrik::ruledb::AllFacultyRules& rules;
        ~LeftAtEnd()
        {
            leaveToProcessEnd(processEnds, rules);
            if (processEnds)
                db.release();
        }
    } leftAtEnd{processEnds, db, rules};
    try {
        // The whole-file check runs beside the reading of the tables.
        db = std::make_unique<tamrik::ruledb::RuleDatabase>(
            o.db ? *o.db : (programFolder / tamrik::kRuleDbFileName).u8string(), tamrik::ruledb::RuleDatabase::Check::Later);
        tamrik::ruledb::RequireRuleTables(*db);
        const auto info = tamrik::ruledb::ReadBuildInfo(*db);
        sample = info && info->Sample;
        context.prob = tamrik::ruledb::LoadProbTable(*db);
        if (o.mode == Mode::All) {
            tamrik::EvaluateOptions options;
            options.needed = o.format == Format::Json;
            options.threads = cores;
            ranked = evaluateEveryFaculty(*db, params.ParamDbMaxMin, o.applicant, context, options);
        } else {
            rules = tamrik::ruledb::LoadAllFacultyRules(*db, params.ParamDbMaxMin, cores);
        }
    } catch (const tamrik::ruledb::DbError& e) {
        err << "tamrik-calc: " << e.what() << '\n';
        return kDbFault;
    }

    if (o.mode == Mode::Faculty) {
        const tamrik::FacultyRecord* faculty = findFaculty(rules.faculties, o.faculty);
        if (!faculty)
            return badInput(err, {"unknown faculty '" + o.faculty + "'"});
        const tamrik::FacultyEvaluation ev = tamrik::Evaluate(*faculty, o.applicant, context);
        out.write(o.format == Format::Json ? JsonObject(ev, sample) + "\n"
                                           : (sample ? SampleLine() : std::string()) + TextBlock(ev));
        if (!ev.ok())
            err << "tamrik-calc: " << tamrik::ShownText(ev.error) << '\n';
        return out.finish(err, ev.ok() ? kDone : kDbFault);
    }

    if (o.mode == Mode::All) {
        std::string text;
        if (o.format == Format::Json)
            text = JsonArray(ranked, sample);
        else if (o.format == Format::Csv)
            text = CsvHeader(false) + CsvRows(ranked, ranked.size());
        else
            text = (sample ? SampleLine() : std::string()) + Table(ranked, cores);
        // CSV rows have no place for it: the note goes where the user reads.
        if (sample && o.format == Format::Csv)
            err << "tamrik-calc: " << SampleLine();
        out.write(text);
        leaveToProcessEnd(processEnds, ranked);
        leaveToProcessEnd(processEnds, text);
        return out.finish(err, kDone);
    }

    BatchSettings settings;
    settings.top = o.top.value_or(static_cast<std::size_t>(-1));
    settings.jobs = o.jobs.value_or(cores);
    std::optional<tamrik::AtomicFileWriter> file;
    if (o.output) {
        file.emplace(std::filesystem::u8path(*o.output));
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
    if (sample)
        err << "tamrik-calc: " << SampleLine();
    const tamrik::PreparedFaculties prepared(rules.faculties);
    const auto next = [&](std::vector<BatchApplicant>& block, std::size_t most) {
        return applicants->next(block, most);
    };
    const BatchOutcome outcome = write(CsvHeader(true))
                                     ? RunBatch(prepared, context, applicantCount, next, settings, write, progress)
                                     : BatchOutcome();
    if (outcome.threads < outcome.wanted)
        err << "tamrik-calc: " << outcome.threads << " of " << outcome.wanted
            << " threads could be started; the work went on without the others\n";
    if (!applicants->error().empty() || (outcome.done && !applicants->atEnd())) {
        err << "tamrik-calc: " << applicants->error() << '\n';
        return kDbFault;
    }
    if (file) {
        if (!(outcome.done && file->commit()))
            return cannotWrite(err, *o.output, file->error());
        return kDone;
    }
    return out.finish(err, kDone);
}

}  // namespace tamrikcalc
