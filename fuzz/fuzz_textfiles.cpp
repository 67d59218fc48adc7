// The file readers on any bytes: param.opt, the entries file and the choices
// file. Properties: what was read can be saved, and loads back unchanged; the
// entries keep to their rules (scores from 0 to 100 or -1, digits the page's
// boxes hold on the GPA and PR lines), and so does what any entries save; the
// choices are faculty codes.
#include "choicesfile.h"
#include "entriesfile.h"
#include "gpapr.h"
#include "numtext.h"
#include "shortlist.h"
#include "paramfile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

using namespace tamrik;
namespace fs = std::filesystem;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// One folder for the whole run, removed when the run ends.
struct RunFolder {
    RunFolder()
    {
        // In memory where there is such a folder: every save flushes to disk.
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? "/dev/shm" : fs::temp_directory_path();
        std::string name = (base / "tamrik-fuzz-XXXXXX").string();
        require(mkdtemp(name.data()) != nullptr);
        path = name;
    }
    ~RunFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

const fs::path& Folder()
{
    static const RunFolder folder;
    return folder.path;
}

void Write(const fs::path& file, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

bool Same(const ScoringParams& a, const ScoringParams& b)
{
    return a.ParamDbMaxMin == b.ParamDbMaxMin && a.ParamMeanGpa == b.ParamMeanGpa && a.ParamSD == b.ParamSD;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path& folder = Folder();

    Write(folder / kParamFileName, data, size);
    const ScoringParams params = LoadParam(folder);
    require(EditParam(folder, params.ParamDbMaxMin, params.ParamMeanGpa, params.ParamSD));
    require(Same(LoadParam(folder), params));

    Write(folder / kEntriesFileName, data, size);
    UserEntries entries;
    const EntriesLoad loaded = LoadEntriesFile(folder, entries);
    require(loaded == EntriesLoad::Read || loaded == EntriesLoad::Damaged);
    for (const std::string& score : entries.ScoreByCode) {
        const std::optional<double> v = wholeNumber(score);
        require(v && (*v == -1 || (*v >= 0 && *v <= 100)));
    }
    require(isGpaDigits(entries.GpaDigits) && isPrDigits(entries.PrDigits));
    require(SaveEntriesFile(folder, entries));
    UserEntries again;
    require(LoadEntriesFile(folder, again) == EntriesLoad::Read);
    require(again.ScoreByCode == entries.ScoreByCode && again.GpaDigits == entries.GpaDigits &&
            again.PrDigits == entries.PrDigits);

    // Entries holding anything: the save writes only what the load takes back.
    const std::string any(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 16));
    entries.ScoreByCode[0] = entries.GpaDigits = entries.PrDigits = any;
    require(SaveEntriesFile(folder, entries));
    require(LoadEntriesFile(folder, again) == EntriesLoad::Read);
    require(again.GpaDigits == (isGpaDigits(any) ? any : "000") && again.PrDigits == (isPrDigits(any) ? any : "0000"));

    Write(folder / kChoicesFileName, data, size);
    const std::vector<std::string> codes = loadChoicesFile(folder);
    for (const std::string& code : codes)
        require(isFacultyCode(code));
    require(saveChoicesFile(folder, codes));
    require(loadChoicesFile(folder) == codes);
    return 0;
}
