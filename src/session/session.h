#pragma once
// What the main window, its pages and the windows it opens share for as long
// as it lives: the message service, the open rule database, the user's
// remembered entries, the scoring parameters and the folder their files live
// in. The main window owns it; each page and window gets a reference.

#include "buildinfo.h"
#include "ruledatabase.h"
#include "scoringparams.h"
#include "userentries.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace tamrik {

class MessageService;

class Session {
public:
    Session(MessageService& messages, std::filesystem::path dataFolder)
        : m_messages(messages), m_dataFolder(std::move(dataFolder)) {}

    MessageService& messages() { return m_messages; }
    const std::filesystem::path& dataFolder() const { return m_dataFolder; }

    // Only valid once start-up has opened the database.
    const ruledb::RuleDatabase& ruleDb() const { return *m_ruleDb; }
    void setRuleDb(std::unique_ptr<ruledb::RuleDatabase> db)
    {
        m_ruleDb = std::move(db);
        m_buildInfo.reset();
    }
    // The data tool's record of the database's build, read once (start-up
    // needs it for the year and the sample notice). Throws ruledb::DbError as
    // readBuildInfo.
    const std::optional<ruledb::BuildInfo>& buildInfo() const;
    // The admission year the rule data were built for; kDefaultAdmissionYear
    // when they do not record one.
    std::string admissionYear() const;
    // The rule data are a made-up sample, not any year's real criteria.
    bool sampleData() const;

    UserEntries& entries() { return m_entries; }
    const UserEntries& entries() const { return m_entries; }
    // The applicant's name, typed in the all-faculties window or opened with a
    // shortlist, for the printouts. Kept in memory only; a change of user
    // forgets it.
    std::string& applicantName() { return m_applicantName; }
    const std::string& applicantName() const { return m_applicantName; }

    ScoringParams& params() { return m_params; }
    const ScoringParams& params() const { return m_params; }

    // Writes the entries file from the current entries. A failed write is not
    // fatal: the entries stay in memory. The user is told once when saving
    // starts to fail, not at every later save that fails too.
    void SaveEntriesFile();

private:
    MessageService& m_messages;
    std::filesystem::path m_dataFolder;
    std::unique_ptr<ruledb::RuleDatabase> m_ruleDb;
    mutable std::optional<std::optional<ruledb::BuildInfo>> m_buildInfo;  // outer: read yet
    UserEntries m_entries;
    std::string m_applicantName;
    ScoringParams m_params;
    bool m_saveFailing = false;
};

}  // namespace tamrik
