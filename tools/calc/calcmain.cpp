#include "calcmain.h"

#include "atomicfile.h"
#include "calcoutput.h"
#include "classrun.h"
#include "buildinfo.h"
#include "calcoptions.h"
#include "calcpaths.h"
#include "datafolder.h"
#include "evaluator.h"
#include "facultyloader.h"
#include "paramfile.h"
#include "ruletables.h"
#include "report.h"
#include "utf8text.h"
#include "wholetables.h"

#include <algorithm>
#include <iostream>

namespace tamrikcalc {

namespace {

int badInput(std::ostream& err, const std::vector<std::string>& errors)
{
    for (const std::string& e : errors)
        err << "tamrik-calc: " << e << '\n';
    err << "tamrik-calc: see tamrik-calc --help\n";
    return kBadInput;
}

// The faculty of a code as given: "0001", or a number such as 1.
std::optional<tamrik::FacultyRecord> loadGivenFaculty(const tamrik::ruledb::RuleDatabase& db,
                                                      const std::string& lastYearTable, const std::string& code)
{
    std::optional<tamrik::FacultyRecord> faculty = tamrik::loadFaculty(db, lastYearTable, code);
    const std::string wanted = facultyCodeOf(code);
    if (!faculty && wanted != code)
        faculty = tamrik::loadFaculty(db, lastYearTable, wanted);
    return faculty;
}

// The faculties the rows may list, and the filter of the results.
RowSettings rowSettingsOf(const CalcOptions& o, const tamrik::Evaluator& evaluator)
{
    RowSettings settings;
    settings.top = o.top.value_or(tamrik::kEveryFaculty);
    settings.filter = tamrik::facultyFilterSettings(o.university, o.match, o.eligibleOnly);
    for (const tamrik::FacultyEntry& f : evaluator.faculties()) {
        const bool asked = o.faculties.empty()
                           || std::find(o.faculties.begin(), o.faculties.end(), f.facCode) != o.faculties.end();
        settings.listed.push_back(asked && tamrik::facultyNameMatches(settings.filter, f.university, f.name));
    }
    return settings;
}

}  // namespace

int runCalc(const std::vector<std::string>& args, const std::filesystem::path& executableFolder, std::ostream& stream,
            std::ostream& err, bool progressToErr, const std::function<void(int status)>& finished)
{
    Output out(stream);
    const ParsedOptions parsed = parseCalcOptions(args);
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
        const tamrik::OutputFile output = tamrik::prepareOutputFile(std::filesystem::u8path(*o.output));
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
        const auto read = tamrik::readParamFile(std::filesystem::u8path(*o.param));
        if (!read)
            return badInput(err, {"cannot read the parameter file '" + *o.param + "'"});
        params = *read;
    } else {
        params = defaultParams(programFolder);
    }

    std::unique_ptr<tamrik::ruledb::RuleDatabase> db;
    std::optional<tamrik::Evaluator> evaluator;
    bool sample = false;  // made-up rule data: every output says so
    tamrik::ScoringContext context{params.ParamMeanGpa, params.ParamSD, {}};
    try {
        db = std::make_unique<tamrik::ruledb::RuleDatabase>(
            o.db ? *o.db : (programFolder / tamrik::kRuleDbFileName).u8string());
        tamrik::ruledb::requireRuleTables(*db);
        const auto info = tamrik::ruledb::readBuildInfo(*db);
        sample = info && info->Sample;
        context.prob = tamrik::loadProbTable(*db);
        if (o.mode == Mode::Faculty) {
            std::optional<tamrik::FacultyRecord> faculty = loadGivenFaculty(*db, params.ParamDbMaxMin, o.faculty);
            if (!faculty)
                return badInput(err, {"unknown faculty '" + o.faculty + "'"});
            evaluator.emplace(std::vector<tamrik::FacultyRecord>{std::move(*faculty)});
        } else {
            // Only the faculties asked for, and those wished for, are evaluated.
            std::vector<bool> found(o.faculties.size());
            evaluator.emplace();
            const auto counted = [&](std::size_t count) {
                if (o.faculties.empty())
                    evaluator->reserve(count);
            };
            tamrik::forEachFaculty(*db, params.ParamDbMaxMin, counted, [&](tamrik::FacultyRecord&& f) {
                bool asked = false;
                for (std::size_t i = 0; i < o.faculties.size(); ++i) {
                    if (o.faculties[i] == f.facCode)
                        found[i] = asked = true;
                }
                if (o.faculties.empty() || asked || applicants->isWished(f.facCode))
                    evaluator->add(std::move(f));
            });
            std::vector<std::string> unknown;
            for (std::size_t i = 0; i < o.faculties.size(); ++i) {
                if (!found[i])
                    unknown.push_back("unknown faculty '" + o.faculties[i] + "'");
            }
            if (!unknown.empty())
                return badInput(err, unknown);
        }
    } catch (const tamrik::ruledb::DbError& e) {
        err << "tamrik-calc: " << e.what() << '\n';
        return kDbFault;
    }

    if (o.mode == Mode::Faculty) {
        const tamrik::FacultyEvaluation ev = evaluator->evaluate(0, o.applicant, context, tamrik::Detail::Needed);
        out.write(o.format == Format::Json ? jsonObject(ev, sample) + "\n"
                                           : (sample ? sampleLine() : std::string()) + textBlock(ev));
        if (!ev.ok())
            err << "tamrik-calc: " << tamrik::shownText(ev.error) << '\n';
        return out.finish(err, ev.ok() ? kDone : kDbFault);
    }

    const FacultyIndex index = facultyIndex(*evaluator);
    RowSettings rowSettings = rowSettingsOf(o, *evaluator);
    // CSV rows have no place for it: the note goes where the user reads.
    if (sample && o.format == Format::Csv)
        err << "tamrik-calc: " << sampleLine();

    if (o.mode == Mode::All) {
        const std::string bom(o.csvBom ? kUtf8ByteOrderMark : "");
        rowSettings.detail = o.format == Format::Json ? tamrik::Detail::Needed : tamrik::Detail::Figures;
        const StudentRows ranked = studentRows(*evaluator, index, context, {{}, o.applicant, {}}, rowSettings);
        if (o.format == Format::Json) {
            writeJsonArray(ranked.rows, sample, [&out](std::string_view piece) { out.write(piece); });
        } else if (o.format == Format::Csv) {
            out.write(bom + csvHeader(false));
            out.write(csvRows(ranked.rows));
        } else {
            out.write(sample ? sampleLine() : std::string());
            out.write(tableText(ranked.rows));
        }
        const int status = out.finish(err, kDone);
        if (finished)
            finished(status);
        return status;
    }

    return runClass({o, *applicants, applicantCount, *evaluator, index, context, sample}, std::move(rowSettings), out,
                    err, progressToErr);
}

}  // namespace tamrikcalc
