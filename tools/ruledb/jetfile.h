#pragma once
// What a Microsoft Access (Jet) file must look like before libmdb is let at
// it: libmdb trusts the file, and a damaged one can send it reading without
// end. Only sizes and page headers are judged, never the data.

#include <optional>
#include <string>

namespace ruledbtool {

// Nothing when the file can be a Jet database; otherwise why not: not a
// regular file, no Jet header, a size that is not a whole number of pages, a
// page whose type byte is none of Jet's, no table definition where the
// catalog starts.
std::optional<std::string> jetFileFault(const std::string& path);

}  // namespace ruledbtool
