#include "calcoptions.h"

#include "gpapr.h"
#include "numtext.h"
#include "subjectcheck.h"
#include "subtotals.h"

#include <algorithm>
#include <functional>
#include <map>

namespace tamrikcalc {

const char* const kUsage =
    "usage:\n"
    "  tamrik-calc [--db FILE] [--param FILE] [--score CODE=VALUE]... [--gpa G] [--pr P] --faculty CODE [--json]\n"
    "  tamrik-calc [--db FILE] [--param FILE] [--score CODE=VALUE]... [--gpa G] [--pr P] --all [--json | --csv]\n"
    "              [--university TEXT] [--match TEXT] [--eligible-only] [--csv-bom]\n"
    "  tamrik-calc [--db FILE] [--param FILE] --batch APPLICANTS.csv [--faculty CODES] [-o RESULTS.csv|.xlsx]\n"
    "              [--json] [--top N] [--jobs N] [--university TEXT] [--match TEXT] [--eligible-only] [--csv-bom]\n"
    "  tamrik-calc --version | --help\n"
    "\n"
    "Works out an applicant's composite score at a faculty exactly as Tamrik's summary page shows it,\n"
    "or at every faculty at once, ranked, or for a whole class from a CSV file.\n"
    "\n"
    "  --db FILE          the rule database (default: the ScoreRule.mdb Tamrik itself uses)\n"
    "  --param FILE       the scoring parameters (default: the param.opt Tamrik itself reads)\n"
    "  --score CODE=VALUE a subject score, code 01-51, value 0-100 with at most two decimals;\n"
    "                     repeat it, or give a list: --scores 01=75,02=68.5. A subject not given is not taken.\n"
    "  --gpa G            GPA, 0 < G <= 4, at most two decimals\n"
    "  --pr P             PR, 0 < P < 100, at most two decimals\n"
    "  --faculty CODE     one faculty (code 0001 or 1): the summary page's figures; with --batch,\n"
    "                     the faculties (comma-separated codes) each applicant is evaluated at\n"
    "  --all              every faculty, ranked\n"
    "  --json, --csv      JSON (--faculty, --all, --batch) or CSV (--all) instead of the readable form\n"
    "  --batch FILE       a CSV file with a header id,gpa,pr followed by subject codes and wish1-wish8\n"
    "                     as columns; an empty cell is a subject not taken, or no wish. Each\n"
    "                     applicant's wishes come first, in order, then the best faculties not wished for\n"
    "  -o FILE            write the batch results to FILE (whole, through a temporary file);\n"
    "                     a FILE ending in .xlsx is an Excel workbook with a class summary\n"
    "  --top N            keep the N best faculties of each applicant (besides the wishes)\n"
    "  --university TEXT  --all and --batch list the faculties of this university only\n"
    "  --match TEXT       ... those whose name or university holds TEXT (as the window's search finds it)\n"
    "  --eligible-only    ... those whose minimum criteria the applicant meets\n"
    "  --csv-bom          CSV output begins with a UTF-8 byte-order mark, for spreadsheets\n"
    "  --jobs N           threads for --batch (default: all cores); the output is the same for any N\n"
    "\n"
    "Chance, the first that applies: fails_minimum (a score given is below its minimum), missing_scores\n"
    "(a subject the faculty counts, or one with a minimum, has no score), no_data (no range for last\n"
    "year), above_max (composite >= last year's highest), clear (composite >= last year's lowest + 2 %\n"
    "of the highest possible), borderline (within 2 % either way), below. A label is a comparison with\n"
    "last year's scores, never a promise: this year's lowest score is not known until the selection is over.\n"
    "\n"
    "Exit status: 0 done, 1 rule database fault (or the faculty's rule cannot be built, or the output or the\n"
    "output file cannot be written), 2 bad input.\n";

namespace {

std::size_t decimalsOf(const std::string& text)
{
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return 0;
    std::size_t n = 0;
    for (std::size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++n;
    return n;
}

// The value of [sign] digits [. digits], nothing for any other text.
std::optional<double> plainNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    bool digit = false;
    bool point = false;
    // A sign is read, so that "-5" is reported as out of range.
    const std::size_t start = text[0] == '-' || text[0] == '+' ? 1 : 0;
    for (char c : text.substr(start)) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    return digit ? std::optional<double>(tamrik::Val(text)) : std::nullopt;
}

// `read`: the value of the text, nothing when it is no number.
ValueCheck checkValue(const std::string& text, std::optional<double> read, const char* what, const char* range,
                      const std::function<bool(double)>& inRange)
{
    ValueCheck check;
    if (!read) {
        check.error = std::string(what) + " '" + text + "' is not a number";
        return check;
    }
    const double v = *read;
    if (decimalsOf(text) > 2)
        check.error = std::string(what) + " '" + text + "' has more than two decimals";
    else if (!inRange(v))
        check.error = std::string(what) + " '" + text + "' is outside " + range;
    else
        check.value = v;
    return check;
}

bool wholeCount(const std::string& text, unsigned long long most, unsigned long long& out)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::stoull(text);
    return out >= 1 && out <= most;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

    ParsedOptions run()
    {
        for (m_i = 0; m_i < m_args.size(); ++m_i)
            take(m_args[m_i]);
        settle();
        return std::move(m_out);
    }

private:
    void error(std::string message) { m_out.errors.push_back(std::move(message)); }

    // The value of an option given as "--opt VALUE" or "--opt=VALUE".
    std::optional<std::string> value(const std::string& name, const std::optional<std::string>& inline_)
    {
        if (inline_)
            return inline_;
        if (m_i + 1 >= m_args.size()) {
            error("option " + name + " needs a value");
            return std::nullopt;
        }
        return m_args[++m_i];
    }

    void setMode(Mode mode, const std::string& name)
    {
        for (const auto& given : m_modes) {
            if (given.first == mode)
                return;
        }
        m_modes.emplace_back(mode, name);
    }

    void setFormat(Format format)
    {
        if (m_format && *m_format != format)
            error("options --json and --csv cannot go together");
        m_format = format;
    }

    void score(const std::string& pair)
    {
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos) {
            error("score '" + pair + "' is not CODE=VALUE");
            return;
        }
        const std::string code = pair.substr(0, eq);
        const std::optional<std::size_t> slot = tamrik::scoreSlot(code);
        if (!slot) {
            error("subject code '" + code + "' is not one of 01-51");
            return;
        }
        const ValueCheck check = checkScore(pair.substr(eq + 1));
        if (!check.value) {
            error("subject " + code + ": " + check.error);
            return;
        }
        if (m_out.options.applicant.Scores[*slot])
            error("subject " + code + " is given twice");
        m_out.options.applicant.Scores[*slot] = check.value;
    }

    void take(const std::string& arg)
    {
        if (arg.rfind("-", 0) == 0)
            m_given.push_back(arg.substr(0, arg.find('=')));
        std::string name = arg;
        std::optional<std::string> inline_;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            name = arg.substr(0, arg.find('='));
            inline_ = arg.substr(arg.find('=') + 1);
        }
        CalcOptions& o = m_out.options;
        if (name == "--db") {
            if (auto v = value(name, inline_))
                o.db = *v;
        } else if (name == "--param") {
            if (auto v = value(name, inline_))
                o.param = *v;
        } else if (name == "--score") {
            if (auto v = value(name, inline_))
                score(*v);
        } else if (name == "--scores") {
            if (auto v = value(name, inline_)) {
                std::size_t start = 0;
                for (;;) {
                    const std::size_t comma = v->find(',', start);
                    score(v->substr(start, comma - start));
                    if (comma == std::string::npos)
                        break;
                    start = comma + 1;
                }
            }
        } else if (name == "--gpa" || name == "--pr") {
            if (auto v = value(name, inline_)) {
                const ValueCheck check = name == "--gpa" ? checkGpa(*v) : checkPr(*v);
                if (!check.value)
                    error(check.error);
                std::optional<double>& given = name == "--gpa" ? o.applicant.Gpa : o.applicant.Pr;
                if (given)
                    error(name + " is given twice");
                given = check.value;
                    }
        } else if (name == "--faculty") {
            setMode(Mode::Faculty, name);
            if (auto v = value(name, inline_))
                o.faculty = *v;
        } else if (name == "--all") {
            setMode(Mode::All, name);
        } else if (name == "--batch") {
            setMode(Mode::Batch, name);
            if (auto v = value(name, inline_))
                o.batchFile = *v;
        } else if (name == "--json") {
            setFormat(Format::Json);
        } else if (name == "--csv") {
            setFormat(Format::Csv);
        } else if (name == "-o" || name == "--output") {
            if (auto v = value(name, inline_))
                o.output = *v;
        } else if (name == "--top" || name == "--jobs") {
            if (auto v = value(name, inline_)) {
                unsigned long long n = 0;
                if (!wholeCount(*v, name == "--top" ? 100000000ull : 1024ull, n))
                    error("option " + name + " needs a whole number from 1, not '" + *v + "'");
                else if (name == "--top")
                    o.top = static_cast<std::size_t>(n);
                else
                    o.jobs = static_cast<unsigned>(n);
            }
        } else if (name == "--university" || name == "--match") {
            if (auto v = value(name, inline_))
                (name == "--university" ? o.university : o.match) = *v;
        } else if (name == "--eligible-only") {
            o.eligibleOnly = true;
        } else if (name == "--csv-bom") {
            o.csvBom = true;
        } else if (name == "--version") {
            setMode(Mode::Version, name);
        } else if (name == "--help" || name == "-h") {
            setMode(Mode::Help, name);
        } else {
            error("unknown option '" + arg + "'");
        }
    }

    // What goes with what, said in one message: a second would only follow
    // from the first.
    void settle()
    {
        CalcOptions& o = m_out.options;
        if (m_modes.empty()) {
            if (m_out.errors.empty())
                error("nothing to do: give --faculty, --all or --batch (see --help)");
            return;
        }
        const bool facultiesOfBatch =
            m_modes.size() == 2 && (m_modes[0].first == Mode::Batch || m_modes[1].first == Mode::Batch)
            && (m_modes[0].first == Mode::Faculty || m_modes[1].first == Mode::Faculty);
        if (m_modes.size() > 1 && !facultiesOfBatch) {
            std::vector<std::string> names;
            for (const auto& mode : m_modes)
                names.push_back(mode.second);
            error("options " + listed(names) + " cannot go together: give one of --faculty, --all and --batch"
                  " (--faculty CODES may go with --batch)");
            return;
        }
        o.mode = facultiesOfBatch ? Mode::Batch : m_modes[0].first;
        const std::string modeName = facultiesOfBatch ? "--batch" : m_modes[0].second;
        const bool batch = o.mode == Mode::Batch;
        if (facultiesOfBatch) {
            for (std::size_t start = 0;;) {
                const std::size_t comma = o.faculty.find(',', start);
                const std::string code = facultyCodeOf(o.faculty.substr(start, comma - start));
                if (!code.empty())
                    o.faculties.push_back(code);
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
            if (o.faculties.empty())
                error("option --faculty needs a faculty code");
        }
        const bool xlsx = batch && o.output && endsWithXlsx(*o.output);
        o.format = xlsx ? Format::Xlsx : m_format.value_or(batch ? Format::Csv : Format::Text);
        const bool csv = o.format == Format::Csv;

        // Each option given that has no place in this run.
        const auto fits = [&](const std::string& option) {
            if (option == "--score" || option == "--scores" || option == "--gpa" || option == "--pr")
                return !batch;
            if (option == "-o" || option == "--output" || option == "--top" || option == "--jobs")
                return batch;
            if (option == "--university" || option == "--match" || option == "--eligible-only")
                return o.mode == Mode::All || batch;
            if (option == "--json")
                return !xlsx;
            if (option == "--csv")
                return o.mode == Mode::All || (batch && !xlsx);
            if (option == "--csv-bom")
                return csv;
            return true;
        };
        std::vector<std::string> misfits;
        bool applicantOptions = false;
        for (const std::string& option : m_given) {
            if (!fits(option) && std::find(misfits.begin(), misfits.end(), option) == misfits.end()) {
                misfits.push_back(option);
                applicantOptions = applicantOptions || option == "--score" || option == "--scores"
                                   || option == "--gpa" || option == "--pr";
            }
        }
        if (!misfits.empty())
            error((misfits.size() == 1 ? "option " : "options ") + listed(misfits) + " cannot go with "
                  + (xlsx ? "a workbook (-o FILE.xlsx)" : modeName)
                  + (applicantOptions && batch ? ": the applicants come from the file" : ""));
    }

    static bool endsWithXlsx(const std::string& file)
    {
        std::string end = file.size() >= 5 ? file.substr(file.size() - 5) : std::string();
        for (char& c : end)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return end == ".xlsx";
    }

    // "a", "a and b", "a, b and c".
    static std::string listed(const std::vector<std::string>& names)
    {
        std::string text;
        for (std::size_t i = 0; i < names.size(); ++i)
            text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
        return text;
    }

    const std::vector<std::string>& m_args;
    std::size_t m_i = 0;
    ParsedOptions m_out;
    std::vector<std::pair<Mode, std::string>> m_modes;  // each mode given, in order
    std::vector<std::string> m_given;                   // every option given
    std::optional<Format> m_format;
};

}  // namespace

ValueCheck checkScore(const std::string& text)
{
    // What a score is, is page 2's rule.
    return checkValue(text, tamrik::scoreNumber(text), "score", "0-100", tamrik::inScoreRange);
}

ValueCheck checkGpa(const std::string& text)
{
    return checkValue(text, plainNumber(text), "GPA", "0 < GPA <= 4", tamrik::inGpaRange);
}

ValueCheck checkPr(const std::string& text)
{
    return checkValue(text, plainNumber(text), "PR", "0 < PR < 100", tamrik::inPrRange);
}

std::string facultyCodeOf(const std::string& text, bool* lostZeros)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const std::string code = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (code.size() > 5 || code.find_first_not_of("0123456789") != std::string::npos)
        return code;
    if (lostZeros && code.size() < 4)
        *lostZeros = true;
    return tamrik::formatText(code, "0000");
}

ParsedOptions parseCalcOptions(const std::vector<std::string>& args)
{
    return Parser(args).run();
}

}  // namespace tamrikcalc
