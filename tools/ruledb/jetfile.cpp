#include "jetfile.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace ruledbtool {

namespace {

// The first page's header: a magic number, then the engine's name.
constexpr unsigned char kMagic[] = {0x00, 0x01, 0x00, 0x00};
constexpr char kJet[] = "Standard Jet DB";
constexpr char kAce[] = "Standard ACE DB";
constexpr std::size_t kVersionAt = 0x14;  // 0: Jet 3, 2048-byte pages; later versions 4096
constexpr unsigned char kLastPageType = 0x05;  // data, table definition, index pages, usage maps
constexpr unsigned char kTableDefinition = 0x02;
constexpr std::size_t kCatalogPage = 2;  // where MSysObjects, the list of tables, is defined

}  // namespace

std::optional<std::string> jetFileFault(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::string("not a regular file");
    const auto size = fs::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    char header[kVersionAt + 1] = {};
    if (ec || !in.read(header, sizeof header))
        return std::string("too short for a Jet file's header");
    if (std::memcmp(header, kMagic, sizeof kMagic) != 0
        || (std::memcmp(header + 4, kJet, sizeof kJet) != 0 && std::memcmp(header + 4, kAce, sizeof kAce) != 0))
        return std::string("no Jet or ACE header");
    const std::size_t pageSize = header[kVersionAt] == 0 ? 2048 : 4096;
    if (size % pageSize != 0)
        return "cut short: " + std::to_string(size) + " bytes is not a whole number of " + std::to_string(pageSize)
               + "-byte pages";
    const std::size_t pages = size / pageSize;
    if (pages <= kCatalogPage)
        return std::to_string(pages) + " pages: too few to hold the list of tables";
    for (std::size_t page = 0; page < pages; ++page) {
        char type = 0;
        if (!in.seekg(static_cast<std::streamoff>(page * pageSize)) || !in.get(type))
            return "cannot read page " + std::to_string(page);
        const auto byte = static_cast<unsigned char>(type);
        const std::string found = "page " + std::to_string(page) + " has the type byte " + std::to_string(byte);
        if (byte > kLastPageType)
            return found + ", not one of a Jet file";
        if (page == kCatalogPage && byte != kTableDefinition)
            return found + ", where the list of tables is defined";
    }
    return std::nullopt;
}

}  // namespace ruledbtool
