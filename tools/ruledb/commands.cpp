#include "commands.h"

#include "csvexport.h"
#include "csvfile.h"
#include "databasebuilder.h"
#include "mdbimport.h"
#include "normaltable.h"
#include "paramfile.h"
#include "rulecheck.h"
#include "rulediff.h"

#include <map>
#include <optional>

namespace ruledbtool {

namespace {

constexpr char kUsage[] =
    "Usage: tamrik-ruledb COMMAND ARGUMENTS\n"
    "  build DIR -o FILE [--no-check]\n"
    "                               build the rule database FILE from the CSV files in DIR once they\n"
    "                               pass check DIR (--no-check: unchecked, for generated test data)\n"
    "  check FILE|DIR [--param FILE]\n"
    "                               list every problem of a rule database or a CSV folder\n"
    "  diff OLD NEW [--csv]         what changed, faculty by faculty, between two databases or folders\n"
    "  export FILE -o DIR [--replace]\n"
    "                               write every table of the database FILE as a CSV file in DIR (empty,\n"
    "                               or with --replace: its .csv files are replaced by the tables)\n"
    "  import-mdb FILE.mdb -o FILE [--codepage CP]\n"
    "                               copy every table of an Access file into a rule database, then check it\n"
    "                               (an Access 97 file's texts in the code page it states, or in CP)\n"
    "  normal-table --to Z -o FILE  write Zi2Prob's rows from 0.000 to Z (three decimals) as a CSV\n"
    "                               file, computed as the bundled table (which ends at 4.500)\n"
    "  --help                       show this text\n"
    "  --version                    show the version\n"
    "Exit status: 0 done and no problem, 1 problems found or a failure, 2 wrong arguments.\n";

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // --csv has an empty value
};

struct UsageError {
    std::string message;
};

// Options a verb takes, and whether each wants a value.
Arguments parse(const std::vector<std::string>& args, const std::map<std::string, bool>& known)
{
    Arguments parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            const auto found = known.find(arg);
            if (found == known.end())
                throw UsageError{"unknown option " + arg + " for " + args[0]};
            if (found->second && i + 1 >= args.size())
                throw UsageError{arg + " needs a value"};
            parsed.options[arg] = found->second ? args[++i] : std::string();
        } else {
            parsed.positional.push_back(arg);
        }
    }
    return parsed;
}

void expect(const Arguments& parsed, std::size_t positional, const std::vector<std::string>& required,
            const std::string& verb)
{
    if (parsed.positional.size() != positional)
        throw UsageError{verb + " takes " + std::to_string(positional) + " path" + (positional == 1 ? "" : "s")};
    for (const std::string& option : required) {
        if (!parsed.options.count(option))
            throw UsageError{verb + " needs " + option};
    }
}

// Prints the faults of reading a data set; true when there were none.
bool readCleanly(const std::vector<std::string>& faults, std::ostream& out)
{
    for (const std::string& fault : faults)
        out << fault << '\n';
    return faults.empty();
}

// Prints every problem and their count; true when there were none.
bool reportProblems(const CheckReport& report, const std::string& path, std::ostream& out)
{
    for (const Problem& problem : report.problems)
        out << problemLine(problem) << '\n';
    if (report.problems.empty())
        return true;
    out << path << ": " << report.problems.size() << " problem" << (report.problems.size() == 1 ? "" : "s") << '\n';
    return false;
}

int reportCheck(const DataSet& data, const tamrik::ScoringParams& params, bool paramGiven, const std::string& path,
                std::ostream& out)
{
    const CheckReport report = checkRuleData(data, params, paramGiven);
    if (!reportProblems(report, path, out))
        return kExitProblems;
    out << path << ": no problem: " << report.summary << '\n';
    return kExitOk;
}

int build(const Arguments& a, std::ostream& out)
{
    checkOutputFile(a.options.at("-o"));
    std::vector<std::string> faults;
    const DataSet data = readDataFolder(a.positional[0], faults);
    if (!readCleanly(faults, out))
        return kExitProblems;
    for (const std::string& converted : data.convertedFiles)
        out << converted << ": read as Windows-874 and converted to UTF-8\n";
    // A broken rule is named here by its CSV line, before SQLite meets it
    // (as a doubled key) or the program does.
    if (!a.options.count("--no-check")
        && !reportProblems(checkRuleData(data, tamrik::ScoringParams(), false), a.positional[0], out))
        return kExitProblems;
    const std::string& file = a.options.at("-o");
    const auto info = makeBuildInfo(data);
    writeRuleDatabase(data, file, info);
    out << file << ": " << data.tables.size() + 1 << " tables, admission year "
        << (info.admissionYear.empty() ? "unknown" : info.admissionYear) << ", input " << info.InputHash.substr(0, 12)
        << '\n';
    return kExitOk;
}

int check(const Arguments& a, std::ostream& out)
{
    tamrik::ScoringParams params;
    const auto param = a.options.find("--param");
    if (param != a.options.end()) {
        // Read as the program reads it: a short or odd file gives it defaults, not a refusal.
        const auto read = tamrik::readParamFile(param->second);
        if (!read)
            throw FileError(param->second + ": cannot read the parameter file");
        params = *read;
    }
    std::vector<std::string> faults;
    const DataSet data = readDataSet(a.positional[0], faults);
    if (!readCleanly(faults, out))
        return kExitProblems;
    return reportCheck(data, params, param != a.options.end(), a.positional[0], out);
}

int diff(const Arguments& a, std::ostream& out)
{
    std::vector<std::string> faults;
    const DataSet older = readDataSet(a.positional[0], faults);
    const DataSet newer = readDataSet(a.positional[1], faults);
    if (!readCleanly(faults, out))
        return kExitProblems;
    const std::vector<Change> changes = diffRuleData(older, newer);
    out << (a.options.count("--csv") ? diffCsv(changes) : diffText(changes));
    return kExitOk;
}

int exportTables(const Arguments& a, std::ostream& out)
{
    const DataSet data = readDatabaseFile(a.positional[0]);
    exportDataSet(data, a.options.at("-o"), a.options.count("--replace") != 0);
    out << a.options.at("-o") << ": " << data.tables.size() << " tables\n";
    return kExitOk;
}

int importMdb(const Arguments& a, std::ostream& out)
{
    checkOutputFile(a.options.at("-o"));
    const auto codepage = a.options.find("--codepage");
    const bool given = codepage != a.options.end();
    const MdbImport import = readMdbFile(a.positional[0], given ? codepage->second : std::string());
    const DataSet& data = import.data;
    const MdbCodePage& page = import.codePage;
    out << a.positional[0] << ": the file states code page " << page.stated << ", language " << page.language
        << "; its texts are "
        << (page.unicode ? std::string("Unicode") : "read as " + page.used + (given ? " (--codepage)" : "")) << '\n';
    const std::string& file = a.options.at("-o");
    writeRuleDatabase(data, file, makeBuildInfo(data));
    out << file << ": " << data.tables.size() << " tables imported from " << a.positional[0] << '\n';
    return reportCheck(data, tamrik::ScoringParams(), false, file, out);
}

int writeNormalTable(const Arguments& a, std::ostream& out)
{
    const auto last = ziThousandths(a.options.at("--to"));
    if (!last)
        throw UsageError{"--to takes a key from 0 to 9.999 with at most three decimals, such as 4.545"};
    const Table table = normalTable(*last);
    const std::string& file = a.options.at("-o");
    writeCsvTable(table, file);
    out << file << ": " << table.rows.size() << " rows of " << table.schema.name << ", keys "
        << table.rows.front().where << " to " << table.rows.back().where << '\n';
    return kExitOk;
}

}  // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& verb = args[0];
    if (verb == "--help" || verb == "-h") {
        out << kUsage;
        return kExitOk;
    }
    if (verb == "--version") {
        out << "tamrik-ruledb " << TAMRIK_VERSION << '\n';
        return kExitOk;
    }
    try {
        if (verb == "build") {
            const Arguments a = parse(args, {{"-o", true}, {"--no-check", false}});
            expect(a, 1, {"-o"}, verb);
            return build(a, out);
        }
        if (verb == "check") {
            const Arguments a = parse(args, {{"--param", true}});
            expect(a, 1, {}, verb);
            return check(a, out);
        }
        if (verb == "diff") {
            const Arguments a = parse(args, {{"--csv", false}});
            expect(a, 2, {}, verb);
            return diff(a, out);
        }
        if (verb == "export") {
            const Arguments a = parse(args, {{"-o", true}, {"--replace", false}});
            expect(a, 1, {"-o"}, verb);
            return exportTables(a, out);
        }
        if (verb == "import-mdb") {
            const Arguments a = parse(args, {{"-o", true}, {"--codepage", true}});
            expect(a, 1, {"-o"}, verb);
            return importMdb(a, out);
        }
        if (verb == "normal-table") {
            const Arguments a = parse(args, {{"--to", true}, {"-o", true}});
            expect(a, 0, {"--to", "-o"}, verb);
            return writeNormalTable(a, out);
        }
        throw UsageError{"unknown command " + verb};
    } catch (const UsageError& e) {
        err << "tamrik-ruledb: " << e.message << "\n" << kUsage;
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "tamrik-ruledb: " << e.what() << '\n';
        return kExitProblems;
    }
}

}  // namespace ruledbtool
