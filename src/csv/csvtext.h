#pragma once
// Lines of a CSV sheet as spreadsheets read them: a field holding a comma, a
// quote or a line end goes between quotes with its quotes doubled.

#include <string>
#include <vector>

namespace tamrik {

std::string csvLine(const std::vector<std::string>& fields);

// A text field that came from input (an id, a name), kept text in a
// spreadsheet: one that starts as a formula would (=, +, -, @, a tab or a
// CR) gets a leading ', as spreadsheet exports do. Never for figures.
std::string spreadsheetText(std::string text);

// The bytes of a whole sheet: a UTF-8 byte-order mark (so a spreadsheet reads
// the Thai as UTF-8), then every line ended by CR LF.
std::string csvSheet(const std::vector<std::vector<std::string>>& rows);

}  // namespace tamrik
