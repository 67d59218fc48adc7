#include "calcoptions.h"

#include "gpapr.h"
#include "numtext.h"
#include "subjectcheck.h"
#include "subtotals.h"

#include <functional>
#include <map>

namespace tamrikcalc {

const char* const kUsage =
    "usage:\n"
    "  tamrik-calc [--db FILE] [--param FILE] [--score CODE=VALUE]... [--gpa G] [--pr P] --faculty CODE [--json]\n"
    "  tamrik-calc [--db FILE] [--param FILE] [--score CODE=VALUE]... [--gpa G] [--pr P] --all [--json | --csv]\n"
    "  tamrik-calc [--db FILE] [--param FILE] --batch APPLICANTS.csv [-o RESULTS.csv] [--top N] [--jobs N]\n"
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
    "  --faculty CODE     one faculty (code 0001 or 1): the summary page's figures\n"
    "  --all              every faculty, ranked\n"
    "  --json, --csv      JSON (--faculty, --all) or CSV (--all) instead of the readable form\n"
    "  --batch FILE       a CSV file with a header id,gpa,pr followed by subject codes as columns;\n"
    "                     an empty cell is a subject not taken\n"
    "  -o FILE            write the batch results to FILE (whole, through a temporary file)\n"
    "  --top N            keep the N best faculties of each applicant\n"
    "  --jobs N           threads for --batch (default: all cores); the output is the same for any N\n"
    "\n"
    "Chance, the first that applies: fails_minimum (a minimum criterion fails), missing_scores (a subject\n"
    "the faculty counts has no score), no_data (no range for last year), above_max (composite >= last\n"
    "year's highest), clear (composite >= last year's lowest + 2 % of the highest possible), borderline\n"
    "(within 2 % either way), below. A label is a comparison with last year's scores, never a promise:\n"
    "this year's lowest score is not known until the selection is over.\n"
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
        if (m_mode && *m_mode != mode)
            error("option " + name + " cannot go with " + m_modeName);
        m_mode = mode;
        m_modeName = name;
    }

    void setFormat(Format format, const std::string& name)
    {
        if (m_format && *m_format != format)
            error("options --json and --csv cannot go together");
        m_format = format;
        m_formatName = name;
    }

    void score(const std::string& pair)
    {
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos) {
            error("score '" + pair + "' is not CODE=VALUE");
            return;
        }
        const std::string code = pair.substr(0, eq);
        const std::optional<std::size_t> slot = tamrik::ScoreSlot(code);
        if (!slot) {
            error("subject code '" + code + "' is not one of 01-51");
            return;
        }
        const ValueCheck check = CheckScore(pair.substr(eq + 1));
        if (!check.value) {
            error("subject " + code + ": " + check.error);
            return;
        }
        if (m_out.options.applicant.Scores[*slot])
            error("subject " + code + " is given twice");
        m_out.options.applicant.Scores[*slot] = check.value;
        m_applicantGiven = true;
    }

    void take(const std::string& arg)
    {
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
                const ValueCheck check = name == "--gpa" ? CheckGpa(*v) : CheckPr(*v);
                if (!check.value)
                    error(check.error);
                std::optional<double>& given = name == "--gpa" ? o.applicant.Gpa : o.applicant.Pr;
                if (given)
                    error(name + " is given twice");
                given = check.value;
                m_applicantGiven = true;
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
            setFormat(Format::Json, name);
        } else if (name == "--csv") {
            setFormat(Format::Csv, name);
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
        } else if (name == "--version") {
            setMode(Mode::Version, name);
        } else if (name == "--help" || name == "-h") {
            setMode(Mode::Help, name);
        } else {
            error("unknown option '" + arg + "'");
        }
    }

    // What goes with what.
    void settle()
    {
        CalcOptions& o = m_out.options;
        if (!m_mode) {
            if (m_out.errors.empty())
                error("nothing to do: give --faculty, --all or --batch (see --help)");
            return;
        }
        o.mode = *m_mode;
        o.format = m_format.value_or(Format::Text);
        const bool batch = o.mode == Mode::Batch;
        if (batch && m_applicantGiven)
            error("--score, --gpa and --pr cannot go with --batch: the applicants come from the file");
        if (!batch && (o.output || o.top || o.jobs))
            error("-o, --top and --jobs go with --batch only");
        if (m_format && (batch || (o.mode == Mode::Faculty && o.format == Format::Csv)))
            error("option " + m_formatName + " cannot go with " + m_modeName);
    }

    const std::vector<std::string>& m_args;
    std::size_t m_i = 0;
    ParsedOptions m_out;
    std::optional<Mode> m_mode;
    std::string m_modeName;
    std::optional<Format> m_format;
    std::string m_formatName;
    bool m_applicantGiven = false;
};

}  // namespace

ValueCheck CheckScore(const std::string& text)
{
    // What a score is, is page 2's rule.
    return checkValue(text, tamrik::ScoreNumber(text), "score", "0-100", tamrik::InScoreRange);
}

ValueCheck CheckGpa(const std::string& text)
{
    return checkValue(text, plainNumber(text), "GPA", "0 < GPA <= 4", tamrik::InGpaRange);
}

ValueCheck CheckPr(const std::string& text)
{
    return checkValue(text, plainNumber(text), "PR", "0 < PR < 100", tamrik::InPrRange);
}

ParsedOptions ParseCalcOptions(const std::vector<std::string>& args)
{
    return Parser(args).run();
}

}  // namespace tamrikcalc
