#include "channels/csv_reader.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

using Fields = std::vector<std::string>;

struct ReadCase {
    const char* name;
    std::string text;
    std::vector<CsvRecord> records;
};

void expectRecords(const std::vector<CsvRecord>& got, const std::vector<CsvRecord>& want,
                   const char* name) {
    ASSERT_EQ(got.size(), want.size()) << name;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].line, want[i].line) << name << ", record " << i;
        EXPECT_EQ(got[i].fields, want[i].fields) << name << ", record " << i;
    }
}

TEST(CsvReader, ReadsFieldsAsRfc4180WritesThem) {
    const ReadCase cases[] = {
        {"plain, CR LF", "a,b\r\nc,d\r\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"LF, no final break", "a,b\nc,d", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"lone CR", "a\rb\r", {{1, {"a"}}, {2, {"b"}}}},
        {"empty fields", ",x,\r\n", {{1, {"", "x", ""}}}},
        {"comma and doubled quotes in quotes",
         "\"Rep, \"\"North\"\"\",2\r\n",
         {{1, {"Rep, \"North\"", "2"}}}},
        {"blanks belong to the field", " a , b\r\n", {{1, {" a ", " b"}}}},
        {"empty quoted field", "\"\",1\r\n", {{1, {"", "1"}}}},
        {"byte-order mark skipped", "\xEF\xBB\xBFLocation,Name\r\n", {{1, {"Location", "Name"}}}},
        {"empty lines give no record, lines still counted",
         "a\r\n\r\n\nb\r\n",
         {{1, {"a"}}, {4, {"b"}}}},
        {"a line break inside quotes: the next record starts later",
         "\"two\r\nlines\",x\r\ny\r\n",
         {{1, {"two\r\nlines", "x"}}, {3, {"y"}}}},
        {"nothing at all", "", {}},
    };
    for (const ReadCase& c : cases) {
        expectRecords(readCsvRecords(c.text), c.records, c.name);
    }
}

TEST(CsvReader, BrokenQuotingIsRefusedWithItsLine) {
    const struct {
        const char* name;
        std::string text;
        int line;
    } cases[] = {
        {"quote inside an unquoted field", "a,b\r\nc,5\" whip\r\n", 2},
        {"text after the closing quote", "a\r\n\r\n\"b\"c\r\n", 3},
        {"quote never closed", "a\r\n\"open,\r\nstill open\r\n", 2},
        {"blank before an opening quote", "a, \"b\"\r\n", 1},
    };
    for (const auto& c : cases) {
        try {
            readCsvRecords(c.text);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const CsvSyntaxError& e) {
            EXPECT_EQ(e.line(), c.line) << c.name;
            EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(c.line) + ": ", 0), 0U)
                << c.name;
        }
    }
}

TEST(CsvReader, LongFieldsAndManyRecordsAreReadWhole) {
    const std::string longName(100'000, 'x');
    std::string text = "\"" + longName + "\"\r\n";
    for (int i = 0; i < 1000; ++i) {
        text += std::to_string(i) + ",\"q\"\"\"\r\n";
    }
    const std::vector<CsvRecord> records = readCsvRecords(text);
    ASSERT_EQ(records.size(), 1001U);
    EXPECT_EQ(records[0].fields, Fields{longName});
    EXPECT_EQ(records[1000].line, 1001);
    EXPECT_EQ(records[1000].fields, (Fields{"999", "q\""}));
}

}  // namespace
}  // namespace lumo
