// tamrik-calc and tamrik-ruledb run as processes, as a shell runs them: a full
// disk on standard output, -o onto what is not a regular file or through a
// link, signals in the middle of a batch, too little memory for its threads,
// and a batch file that comes through a pipe.
#include "childprocess.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using tamrik::test::ChildProcess;
using tamrik::test::EntryCount;
using tamrik::test::ReadBytes;
using tamrik::test::WriteBytes;
using Args = std::vector<std::string>;

struct Finished {
    int status;
    std::string err;

    // What it said last: a note on sample data may come first.
    std::string lastLine() const
    {
        const std::size_t start = err.rfind('\n', err.size() < 2 ? 0 : err.size() - 2);
        return err.substr(start == std::string::npos ? 0 : start + 1);
    }
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("TAMRIK_RULE_DB"))
            GTEST_SKIP() << "TAMRIK_RULE_DB is not set";
        m_work = folder.path() / "work";
        fs::create_directory(m_work);
    }

    static Args calcArgs(Args args)
    {
        args.insert(args.begin(), {"--db", std::getenv("TAMRIK_RULE_DB")});
        return args;
    }

    ChildProcess start(const std::string& program, const Args& args, const std::string& out = "/dev/null",
                       const ChildProcess::Limits& limits = {}) const
    {
        return ChildProcess(program, args, out, (folder.path() / "err.txt").string(), limits);
    }

    Finished run(const std::string& program, const Args& args, const std::string& out = "/dev/null",
            const ChildProcess::Limits& limits = {}) const
    {
        ChildProcess child = start(program, args, out, limits);
        const int status = child.wait();
        return {status, ReadBytes(folder.path() / "err.txt")};
    }

    // A class of `count` applicants, one line each.
    std::string classFile(int count, const std::string& name = "class.csv") const
    {
        std::string text = "id,gpa,pr,01,02,03,04,41\n";
        for (int i = 0; i < count; ++i)
            text += "a" + std::to_string(i) + ",3." + std::to_string(i % 100) + ",50,7" + std::to_string(i % 10)
                    + ",60,55,80,62\n";
        const fs::path file = folder.path() / name;
        WriteBytes(file, text);
        return file.string();
    }

    tamrik::test::TempFolder folder;
    fs::path m_work;  // holds the outputs and nothing else
};

// Standard output on a full disk, and cut short by a file size limit; the
// output file of a batch on a disk that fills up.
TEST_F(CommandLine, OutputThatCannotBeWrittenIsAFault)
{
    const std::string batch = classFile(300);
    const ChildProcess::Limits small = {{RLIMIT_FSIZE, 16384}};
    const std::string cut = (m_work / "cut.txt").string();
    for (const Args& args : {Args{"--all"}, Args{"--all", "--csv"}, Args{"--all", "--json"},
                             Args{"--faculty", "13", "--json"}, Args{"--batch", batch}, Args{"--version"}}) {
        const Finished full = run(TAMRIK_CALC, calcArgs(args), "/dev/full");
        EXPECT_EQ(full.status, 1) << args[0];
        EXPECT_NE(full.err.find("cannot write the output: No space left on device"), std::string::npos)
            << args[0] << ": " << full.err;
        if (args[0] == "--version" || args[0] == "--faculty")
            continue;  // less than the limit
        const Finished shortWrite = run(TAMRIK_CALC, calcArgs(args), cut, small);
        EXPECT_EQ(shortWrite.status, 1) << args[0];
        EXPECT_EQ(shortWrite.lastLine(), "tamrik-calc: cannot write the output: File too large\n") << args[0];
    }
    fs::remove(cut);
    const std::string results = (m_work / "results.csv").string();
    const Finished file = run(TAMRIK_CALC, calcArgs({"--batch", batch, "-o", results}), "/dev/null", small);
    EXPECT_EQ(file.status, 1);
    EXPECT_EQ(file.lastLine(), "tamrik-calc: cannot write '" + results + "': File too large\n");
    EXPECT_EQ(EntryCount(m_work), 0u);
}

// --all ends the process as soon as its output is flushed: every row is out.
TEST_F(CommandLine, AllWritesEveryFacultyBeforeItEnds)
{
    const std::string text = (m_work / "all.txt").string();
    const std::string csv = (m_work / "all.csv").string();
    ASSERT_EQ(run(TAMRIK_CALC, calcArgs({"--all", "--gpa", "3.25"}), text).status, 0);
    ASSERT_EQ(run(TAMRIK_CALC, calcArgs({"--all", "--csv", "--gpa", "3.25"}), csv).status, 0);
    const std::string table = ReadBytes(text);
    const std::string rows = ReadBytes(csv);
    ASSERT_FALSE(table.empty());
    ASSERT_EQ(table.back(), '\n');
    // A line a faculty in each: the table's start with their rank, the CSV's
    // follow its header.
    std::size_t ranked = 0;
    for (std::size_t at = 0; at < table.size(); at = table.find('\n', at) + 1) {
        const std::size_t first = table.find_first_not_of(' ', at);
        ranked += first < table.size() && table[first] >= '0' && table[first] <= '9' ? 1 : 0;
    }
    const auto lines = std::count(rows.begin(), rows.end(), '\n');
    EXPECT_EQ(static_cast<long>(ranked), lines - 1);
    EXPECT_GT(lines, 100);
}

// Both tools look at -o before any work: the calculator's batch file holds a
// bad cell, and it is not reported.
TEST_F(CommandLine, OutputFilesThatCannotBeFilesAreRefusedFirst)
{
    WriteBytes(folder.path() / "bad.csv", "id,gpa,pr,01\na,9,50,70\n");
    ASSERT_EQ(::mkfifo((m_work / "fifo").c_str(), 0600), 0);
    fs::create_directory(m_work / "folder");
    const std::string notRegular = "it is not a regular file (a device, a pipe or a socket)";
    const struct {
        std::string output;
        std::string problem;
    } rows[] = {
        {(m_work / "folder").string(), "it is a folder"},
        {"", "no file name given"},
        {(m_work / "missing" / "out").string(), "the folder '" + (m_work / "missing").string() + "' does not exist"},
        {"/dev/null", notRegular},
        {(m_work / "fifo").string(), notRegular},
    };
    for (const auto& row : rows) {
        const Finished calc = run(TAMRIK_CALC, calcArgs({"--batch", (folder.path() / "bad.csv").string(), "-o", row.output}));
        EXPECT_EQ(calc.status, 1) << row.output;
        EXPECT_EQ(calc.err, "tamrik-calc: cannot write '" + row.output + "': " + row.problem + "\n");
        const Finished build = run(TAMRIK_RULEDB, {"build", TAMRIK_DATA, "-o", row.output});
        EXPECT_EQ(build.status, 1) << row.output;
        EXPECT_NE(build.err.find(row.problem), std::string::npos) << build.err;
    }
    struct stat null {};
    ASSERT_EQ(::stat("/dev/null", &null), 0);
    EXPECT_TRUE(S_ISCHR(null.st_mode));
    EXPECT_EQ(EntryCount(m_work), 2u);  // the fifo and the folder
}

// Written through a link, the target is replaced and the link stays; what
// killed writes to the target left is gone, other files stay.
TEST_F(CommandLine, OutputThroughALinkReplacesItsTarget)
{
    const std::string batch = classFile(2);
    const struct {
        std::string program;
        Args args;
        std::string starts;
    } tools[] = {{TAMRIK_CALC, calcArgs({"--batch", batch, "--top", "1"}), "id,rank,code"},
                 {TAMRIK_RULEDB, {"build", TAMRIK_DATA}, "SQLite format 3"}};
    for (const auto& tool : tools) {
        fs::remove_all(m_work);
        fs::create_directories(m_work / "real");
        WriteBytes(m_work / "real" / "target", "old");
        WriteBytes(m_work / "real" / "target.0123abcd.new", "killed");
        WriteBytes(m_work / "real" / "target.notes.new", "kept");
        fs::create_symlink("real/target", m_work / "link");
        Args args = tool.args;
        args.insert(args.end(), {"-o", (m_work / "link").string()});
        const Finished written = run(tool.program, args);
        ASSERT_EQ(written.status, 0) << written.err;
        EXPECT_TRUE(fs::is_symlink(m_work / "link"));
        EXPECT_EQ(ReadBytes(m_work / "real" / "target").rfind(tool.starts, 0), 0u) << tool.program;
        EXPECT_FALSE(fs::exists(m_work / "real" / "target.0123abcd.new"));
        EXPECT_EQ(EntryCount(m_work / "real"), 2u);  // the target and the notes
    }
}

// SIGINT, SIGTERM and SIGHUP in the middle of a batch leave no temporary
// file; SIGKILL cannot be caught, and the next run removes what it left.
TEST_F(CommandLine, AnInterruptedBatchLeavesNoTemporaryFile)
{
    const std::string batch = classFile(100000);
    const fs::path output = m_work / "results.csv";
    const Args args = calcArgs({"--batch", batch, "--top", "1", "--jobs", "1", "-o", output.string()});
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
        ChildProcess child = start(TAMRIK_CALC, args);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (EntryCount(m_work) == 0 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(EntryCount(m_work), 1u) << "no temporary file came";
        child.signal(signal);
        EXPECT_EQ(child.wait(), 128 + signal);
        EXPECT_EQ(EntryCount(m_work), signal == SIGKILL ? 1u : 0u) << signal;
    }
    const Finished next = run(TAMRIK_CALC, calcArgs({"--batch", classFile(1, "one.csv"), "-o", output.string()}));
    ASSERT_EQ(next.status, 0) << next.err;
    EXPECT_EQ(EntryCount(m_work), 1u);  // the results alone
}

// No thread can be started when each needs a stack larger than the memory
// left: the batch is computed all the same, and the threads asked for are
// no more than the blocks of applicants (two of 64 here).
TEST_F(CommandLine, ThreadsThatCannotStartLeaveTheWorkToTheOthers)
{
#ifdef TAMRIK_SANITIZED
    GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
#endif
    const std::string batch = classFile(100);
    const std::string one = (m_work / "one.csv").string();
    const std::string eight = (m_work / "eight.csv").string();
    ASSERT_EQ(run(TAMRIK_CALC, calcArgs({"--batch", batch, "--jobs", "1", "-o", one})).status, 0);
    const ChildProcess::Limits limits = {{RLIMIT_STACK, rlim_t{1} << 30}, {RLIMIT_AS, rlim_t{512} << 20}};
    const Finished starved = run(TAMRIK_CALC, calcArgs({"--batch", batch, "--jobs", "8", "-o", eight}), "/dev/null", limits);
    ASSERT_EQ(starved.status, 0) << starved.err;
    EXPECT_NE(starved.err.find("0 of 2 threads could be started"), std::string::npos) << starved.err;
    EXPECT_EQ(ReadBytes(eight), ReadBytes(one));
    EXPECT_EQ(EntryCount(m_work), 2u);
}

// A batch file that cannot be read twice is kept aside for its second pass.
TEST_F(CommandLine, BatchFromAPipeGivesTheFilesResults)
{
    const std::string batch = classFile(300);
    const fs::path fifo = folder.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string fromFile = (m_work / "file.csv").string();
    const std::string fromPipe = (m_work / "pipe.csv").string();
    ASSERT_EQ(run(TAMRIK_CALC, calcArgs({"--batch", batch, "--top", "2", "-o", fromFile})).status, 0);
    ChildProcess child = start(TAMRIK_CALC, calcArgs({"--batch", fifo.string(), "--top", "2", "-o", fromPipe}));
    WriteBytes(fifo, ReadBytes(batch));
    ASSERT_EQ(child.wait(), 0) << ReadBytes(folder.path() / "err.txt");
    const std::string results = ReadBytes(fromFile);
    EXPECT_EQ(ReadBytes(fromPipe), results);
    EXPECT_EQ(std::count(results.begin(), results.end(), '\n'), 601);
}

}  // namespace
