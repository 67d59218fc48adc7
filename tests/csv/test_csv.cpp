// What the writer writes the reader reads back field for field, a sheet's
// byte-order mark included; a Windows-874 file arrives as UTF-8; a fault is
// named by its line and column.
#include "csvfile.h"
#include "csvtext.h"

#include <gtest/gtest.h>

namespace tamrik {
namespace {

std::vector<std::vector<std::string>> FieldsOf(const std::vector<CsvRecord>& records)
{
    std::vector<std::vector<std::string>> rows;
    for (const CsvRecord& record : records)
        rows.push_back(record.fields);
    return rows;
}

TEST(Csv, WhatTheWriterWritesReadsBackTheSame)
{
    const std::vector<std::vector<std::string>> rows = {
        {"0001", "คณะ, \"พิเศษ\"", "", "a\nb"}, {"=1+1", "x\r\ny", "\"", ","}};
    EXPECT_EQ(csvLine(rows[0]), "0001,\"คณะ, \"\"พิเศษ\"\"\",,\"a\nb\"");
    const std::string sheet = csvSheet(rows);
    EXPECT_EQ(sheet.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(sheet.substr(sheet.size() - 2), "\r\n");
    const DecodedText text = decodeDataText(sheet);
    EXPECT_FALSE(text.fromWindows874);
    const std::vector<CsvRecord> records = parseCsv(text.utf8);
    EXPECT_EQ(FieldsOf(records), rows);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].line, 3);  // the quoted line break counts
    EXPECT_EQ(records[0].columns, (std::vector<int>{1, 6, 23, 24}));
    EXPECT_EQ(spreadsheetText("=1+1"), "'=1+1");
    EXPECT_EQ(spreadsheetText("0001"), "0001");
}

TEST(Csv, WindowsThaiTextIsConvertedAndFaultsNameTheirPlace)
{
    // iconv -t CP874 of “ราคา” – €5…, a no-break space and ๆ.
    EXPECT_EQ(decodeDataText("\x93\xc3\xd2\xa4\xd2\x94\x20\x96\x20\x80\x35\x85\xa0\xe6").utf8,
              "“ราคา” – €5…\u00a0ๆ");
    EXPECT_TRUE(decodeDataText("a,\xa4\xb3\xd0\n").fromWindows874);
    const auto faultOf = [](std::string_view csv) -> std::string {
        try {
            parseCsv(csv);
        } catch (const CsvError& e) {
            return e.what();
        }
        return "read";
    };
    EXPECT_EQ(faultOf("a,b\n\"c,d\n"), "2:1: a quoted field is never closed");
    EXPECT_EQ(faultOf("a,\"b\"c\n"), "1:6: text after a closing quote");
    EXPECT_EQ(faultOf("ก,\x01"), "1:3: stray byte 0x01");
}

}  // namespace
}  // namespace tamrik
