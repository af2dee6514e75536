#include "channels/chirp_csv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "channels/channel_file.h"
#include "channels/csv_reader.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_files.h"

namespace lumo {
namespace {

using ::testing::HasSubstr;
using Row = std::vector<std::string>;

// Cells 1..12 of a channel: RX, TX, Dec, Enc, power, width, busy lock, OptSingal,
// SPUnmute, Without, ScanningAdd, name.
Row channel(std::string rx, std::string tx, std::string decode = "Off",
            std::string encode = "Off") {
    return {rx, tx, decode, encode, "High", "25K", "Off", "Off", "QT", "Off", "On", ""};
}

Row cells(const ChannelTable& table, int row) {
    Row result;
    for (int column = 1; column <= 12; ++column) {
        result.push_back(table.cell(column, row));
    }
    return result;
}

void setRow(ChannelTable& table, int row, const Row& values) {
    for (int column = 1; column <= 12; ++column) {
        table.setCell(column, row, values[static_cast<std::size_t>(column - 1)]);
    }
}

class ChirpCsvTest : public ::testing::Test {
  protected:
    ChirpCsvTest() { session.setUp(); }

    ChirpCsvChannels parse(const std::string& text, bool skipInvalid = false) {
        return parseChirpCsv(text, session, {.skipInvalid = skipInvalid});
    }
    ChannelTable imported(const std::string& text) {
        ChannelTable table;
        applyChirpCsv(table, parse(text));
        return table;
    }
    // The problems of a refused text.
    std::vector<CsvLineNote> refusal(const std::string& text) {
        try {
            parse(text);
        } catch (const ChirpCsvError& e) {
            return e.problems();
        }
        ADD_FAILURE() << "accepted:\n" << text;
        return {};
    }

    LanguageStrings strings;
    Session session{strings};
};

// The exported rows of a table, each field under its header name.
std::vector<std::map<std::string, std::string>> exportedRows(const ChannelTable& table) {
    const std::vector<CsvRecord> records = readCsvRecords(formatChirpCsv(table));
    std::vector<std::map<std::string, std::string>> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        std::map<std::string, std::string> row;
        for (std::size_t f = 0; f < records[0].fields.size(); ++f) {
            row[records[0].fields[f]] = records[r].fields.at(f);
        }
        rows.push_back(row);
    }
    return rows;
}

const std::string kHeader = std::string(kChirpCsvHeader) + "\r\n";

TEST_F(ChirpCsvTest, ExportWritesChirpsColumnsInOrderWithCrLf) {
    ChannelTable table;
    setRow(table, 7,
           {"446.00625", "446.00625", "D023N", "67.0", "Low", "12.5K", "On", "DTMF", "QT+DTMF",
            "On", "Off", "NEAR"});
    setRow(table, 3, channel("445.50000", "440.50000"));
    table.setCell(12, 3, "RPT,1");
    table.setCell(1, 120, "450.00000");  // hidden rows count too
    EXPECT_EQ(formatChirpCsv(table),
              kHeader +
                  "3,\"RPT,1\",445.500000,-,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,"
                  "5.0W,,,,,,Off,Off,QT,Off\r\n"
                  "7,NEAR,446.006250,,0.000000,Cross,67.0,88.5,023,NN,023,Tone->DTCS,NFM,6.25,S,"
                  "1.0W,,,,,,On,DTMF,QT+DTMF,On\r\n"
                  "120,,450.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,1.0W,"
                  ",,,,,Off,Off,QT,Off\r\n");
}

TEST_F(ChirpCsvTest, TransmitFrequencyIsDuplexAndOffsetBothWays) {
    const struct {
        const char* rx;
        const char* tx;
        const char* duplex;
        const char* offset;
    } cases[] = {
        {"446.00625", "446.00625", "", "0.000000"},   {"445.50000", "450.50000", "+", "5.000000"},
        {"449.85000", "444.85000", "-", "5.000000"},  {"446.10000", "446.09375", "-", "0.006250"},
        {"440.00000", "451.00000", "+", "11.000000"}, {"446.00625", "", "off", "0.000000"},
    };
    for (const auto& c : cases) {
        ChannelTable table;
        setRow(table, 1, channel(c.rx, c.tx));
        const auto rows = exportedRows(table);
        ASSERT_EQ(rows.size(), 1U) << c.rx << " " << c.tx;
        EXPECT_EQ(rows[0].at("Duplex"), c.duplex) << c.rx << " " << c.tx;
        EXPECT_EQ(rows[0].at("Offset"), c.offset) << c.rx << " " << c.tx;

        const ChannelTable back = imported(formatChirpCsv(table));
        EXPECT_EQ(back.cell(1, 1), c.rx);
        EXPECT_EQ(back.cell(2, 1), c.tx);
    }
    // CHIRP's split puts the transmit frequency itself into Offset.
    const ChannelTable split =
        imported("Location,Frequency,Duplex,Offset\r\n1,446.000000,split,447.000000\r\n");
    EXPECT_EQ(cells(split, 1), channel("446.00000", "447.00000"));
}

// A table using every column, hidden ones included: every tone kind, both powers and
// widths, each option word, names, a channel without TX, channels up to 128.
ChannelTable everyColumnTable() {
    const ChannelVocabulary& words = defaultVocabulary();
    const char* const spUnmute[] = {"QT", "QT+DTMF", "QT*DTMF"};
    ChannelTable table;
    for (int row = 1; row <= ChannelCount; row += 3) {
        const bool odd = row % 2 != 0;
        const std::string rx = row % 4 == 0   ? "440.00000"
                               : row % 5 == 0 ? "451.00000"
                                              : "446.00625";
        std::string tx = odd ? rx : "445.50000";
        if (row % 7 == 0) {
            tx.clear();
        }
        setRow(table, row,
               {rx, tx, words.toneList[static_cast<std::size_t>(row * 2 % 261)],
                words.toneList[static_cast<std::size_t>(row * 5 % 261)], odd ? "High" : "Low",
                row % 3 == 1 ? "25K" : "12.5K", odd ? "On" : "Off", row % 4 < 2 ? "DTMF" : "Off",
                spUnmute[row % 3], row % 5 < 2 ? "On" : "Off", row % 6 < 3 ? "On" : "Off",
                "CH" + std::to_string(row)});
    }
    setRow(table, 2,
           {"446.00625", "446.00625", "D754I", "D754N", "High", "25K", "Off", "Off", "QT", "Off",
            "On", "ABCDEF"});
    return table;
}

TEST_F(ChirpCsvTest, ChannelFileThroughCsvGivesTheSameFile) {
    for (const int rows : {ChannelTable::kShownRowCount, ChannelTable::kRows}) {
        ChannelTable table = everyColumnTable();
        table.setRowCount(rows);
        for (int row = rows; row <= ChannelCount; ++row) {
            setRow(table, row, Row(12));
        }
        const std::string file = formatChannelFile(table, kChannelFileType);

        ChannelTable back;
        back.setCell(5, 60, "left over");  // the file says what every channel holds
        applyChirpCsv(back, parse(formatChirpCsv(table)));
        EXPECT_EQ(formatChannelFile(back, kChannelFileType), file) << rows << " rows";
    }
}

// A file as CHIRP writes it for another radio, touched by hand in a spreadsheet.
TEST_F(ChirpCsvTest, ReadsAChirpFileInAnyColumnOrder) {
    const std::string text =
        "\xEF\xBB\xBF"
        "Frequency,Location,Name,Comment,Tone,rToneFreq,cToneFreq,Duplex,Offset,Mode,Skip,Power,"
        "DtcsCode,DtcsPolarity,CrossMode,RxDtcsCode,Extra\r\n"
        "446.006250,1,\"Rep, \"\"N\"\"\",\"multi\r\nline note\",TSQL,88.5,100.0,+,0.600000,NFM,P,"
        "1.0W,023,NN,Tone->Tone,023,x\r\n"
        "\r\n"
        "440.000000,12,abcdefgh,,DTCS,88.5,88.5,,0,FM,,5.0W,754,RN,Tone->Tone,023,\r\n"
        ",,,,,,,,,,,,,,,,\r\n"
        "451.000000,128,OK,,,88.5,88.5,,0,FM,S,L,023,NN,Tone->Tone,023,\r\n";
    const ChirpCsvChannels channels = parse(text);
    EXPECT_EQ(channels.warnings,
              (std::vector<CsvLineNote>{{2, "Name \"Rep, \"N\"\" became \"REPN\""},
                                        {5, "Name \"abcdefgh\" became \"ABCDEF\""}}));
    EXPECT_TRUE(channels.skipped.empty());

    ChannelTable table;
    applyChirpCsv(table, channels);
    EXPECT_EQ(table.rowCount(), ChannelTable::kRows);
    EXPECT_EQ(cells(table, 1), (Row{"446.00625", "446.60625", "100.0", "100.0", "Low", "12.5K",
                                    "Off", "Off", "QT", "Off", "Off", "REPN"}));
    EXPECT_EQ(cells(table, 12), (Row{"440.00000", "440.00000", "D754N", "D754I", "High", "25K",
                                     "Off", "Off", "QT", "Off", "On", "ABCDEF"}));
    EXPECT_EQ(cells(table, 128), (Row{"451.00000", "451.00000", "Off", "Off", "Low", "25K", "Off",
                                      "Off", "QT", "Off", "Off", "OK"}));
    EXPECT_TRUE(table.rowIsEmpty(2));
}

TEST_F(ChirpCsvTest, PowerAndOurColumnsReadAsChirpAndANewChannelWouldHaveThem) {
    const struct {
        const char* power;
        const char* expected;
    } powers[] = {{"Low", "Low"},  {"l", "Low"},     {"1.0W", "Low"}, {"0.5 W", "Low"},
                  {"1.99", "Low"}, {"High", "High"}, {"", "High"},    {"2.0W", "High"},
                  {"5W", "High"},  {"Mid", "High"},  {"-1W", "High"}, {"5.0W", "High"}};
    for (const auto& p : powers) {
        const ChannelTable table =
            imported("Location,Frequency,Power\r\n1,446.0," + std::string(p.power) + "\r\n");
        EXPECT_EQ(table.cell(5, 1), p.expected) << p.power;
    }
    // CHIRP takes the Power column only as watts; both come back as they went.
    for (const auto& [power, watts] : {std::pair{"High", "5.0W"}, std::pair{"Low", "1.0W"}}) {
        ChannelTable table;
        Row row = channel("446.00000", "446.00000");
        row[4] = power;
        setRow(table, 1, row);
        EXPECT_EQ(exportedRows(table).at(0).at("Power"), watts);
        EXPECT_EQ(imported(formatChirpCsv(table)).cell(5, 1), power);
    }
    const ChirpCsvChannels channels = parse(
        "Location,Frequency,BusyLock,OptSignal,SPUnmute,Without\r\n"
        "1,446.0,on,dtmf,qt*dtmf,ON\r\n"
        "2,446.0,,,,\r\n"
        "3,446.0,maybe,Off,QT,Off\r\n");
    ChannelTable table;
    applyChirpCsv(table, channels);
    EXPECT_EQ(cells(table, 1), (Row{"446.00000", "446.00000", "Off", "Off", "High", "25K", "On",
                                    "DTMF", "QT*DTMF", "On", "On", ""}));
    EXPECT_EQ(cells(table, 2), channel("446.00000", "446.00000"));
    EXPECT_EQ(cells(table, 3), channel("446.00000", "446.00000"));
    EXPECT_EQ(channels.warnings,
              (std::vector<CsvLineNote>{{4, "BusyLock \"maybe\" is not On or Off; Off taken"}}));
}

TEST_F(ChirpCsvTest, FrequenciesAreCheckedAgainstTheBandWithItsLimitsAndRounded) {
    const struct {
        const char* text;
        const char* taken;  // nullptr: refused
        bool warned;
    } cases[] = {
        {"440", "440.00000", false},
        {"451.000000", "451.00000", false},
        {"446.006250", "446.00625", false},
        {"446.015", "446.01500", false},
        {"446.004", "446.00625", true},
        {"446.003125", "446.00625", true},  // a tie goes up
        {"440.001", "440.00000", true},
        {"450.999", "451.00000", true},
        {"439.999990", nullptr, false},
        {"451.00000001", nullptr, false},
        {"4.46e2", nullptr, false},
        {"-446", nullptr, false},
        {"", nullptr, false},
    };
    for (const auto& c : cases) {
        const std::string text = "Location,Frequency\r\n5," + std::string(c.text) + "\r\n";
        if (c.taken == nullptr) {
            EXPECT_EQ(refusal(text).size(), 1U) << c.text;
            continue;
        }
        const ChirpCsvChannels channels = parse(text);
        ASSERT_EQ(channels.channels.size(), 1U) << c.text;
        EXPECT_EQ(channels.channels[0].fields[1], c.taken) << c.text;
        EXPECT_EQ(channels.channels[0].fields[2], c.taken) << c.text;
        EXPECT_EQ(channels.warnings.size(), c.warned ? 1U : 0U) << c.text;
    }
}

TEST_F(ChirpCsvTest, CommentLinesArePassedOverInFilesAndPastes) {
    const std::string text =
        "# Channels for the club net\r\n#, with \"quotes\r\n"
        "Location,Frequency,Name\r\n"
        "1,446.006250,NET1\r\n"
        "# the repeater\r\n"
        "2,446.012500,\"A\r\n# not a comment\"\r\n"
        "3,446.018750,NET3\r\n";
    const ChirpCsvChannels channels = parse(text);
    ASSERT_EQ(channels.channels.size(), 3U);
    EXPECT_EQ(channels.channels[1].fields[12], "ANOTAC");  // a quoted line break is no comment
    EXPECT_EQ(channels.channels[2].fields[1], "446.01875");
    // Lines keep their numbers in the file, comments counted.
    EXPECT_EQ(channels.warnings,
              (std::vector<CsvLineNote>{{6, "Name \"A\r\n# not a comment\" became \"ANOTAC\""}}));

    std::string pasted = "# copied\nFrequency\tName\n446.0\tA\n# between\n446.5\tB\n";
    const ChirpCsvChannels sheet =
        parseChirpCsv(pasted, session, {.separator = '\t', .numberedInOrder = true});
    ASSERT_EQ(sheet.channels.size(), 2U);
    EXPECT_EQ(sheet.channels[1].number, 2);
    EXPECT_EQ(sheet.channels[1].fields[1], "446.50000");

    // Anywhere else a '#' is text: in a header it names no column.
    EXPECT_THROW(parse(" # spaced\r\nLocation,Frequency\r\n1,446.0\r\n"), ChirpCsvError);
}

TEST_F(ChirpCsvTest, ChannelsUsingACodeChirpLacksAreNamed) {
    ChannelTable table;
    setRow(table, 2, channel("446.00000", "446.00000", "D645N", "Off"));
    setRow(table, 5, channel("446.00000", "446.00000", "Off", "D645I"));
    setRow(table, 6, channel("446.00000", "446.00000", "D654N", "D023N"));
    table.setCell(4, 9, "D645N");  // no RX: not exported
    EXPECT_EQ(channelsWithCodesChirpLacks(table), (std::vector<int>{2, 5}));
    EXPECT_THAT(formatChirpCsv(table), HasSubstr(",645,"));  // the file keeps them
}

const std::string kBadRows =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,Mode\r\n"
    "1,GOOD,446.000000,,0,,,,,FM\r\n"
    "0,ZERO,446.000000,,0,,,,,FM\r\n"
    "129,HIGH,446.000000,,0,,,,,FM\r\n"
    "x,TEXT,446.000000,,0,,,,,FM\r\n"
    "1,TWICE,446.000000,,0,,,,,FM\r\n"
    "6,BAND,452.000000,,0,,,,,FM\r\n"
    "7,NONUM,446.O,,0,,,,,FM\r\n"
    "8,TX,450.000000,+,5.000000,,,,,FM\r\n"
    "9,TONE,446.000000,,0,Tone,88.4,,,FM\r\n"
    "10,DCS,446.000000,,0,DTCS,,,024,FM\r\n"
    "11,AM,446.000000,,0,,,,,AM\r\n"
    "12,MANY,439.000000,,0,TSQL,,1.0,,DV\r\n"
    "13,Fine one,446.012500,,0,,,,,NFM\r\n";

TEST_F(ChirpCsvTest, ARefusedFileNamesEveryBadLine) {
    const std::vector<CsvLineNote> problems = refusal(kBadRows);
    EXPECT_EQ(problems,
              (std::vector<CsvLineNote>{
                  {3, "Location \"0\" is not a channel number from 1 to 128"},
                  {4, "Location \"129\" is not a channel number from 1 to 128"},
                  {5, "Location \"x\" is not a channel number from 1 to 128"},
                  {6, "Location 1 is given twice (first on line 2)"},
                  {7, "Frequency \"452.000000\" is outside 440-451 MHz"},
                  {8, "Frequency \"446.O\" is not a number"},
                  {9, "the TX frequency, Frequency + Offset, is outside 440-451 MHz"},
                  {10, "rToneFreq \"88.4\" is not a CTCSS tone of the radio"},
                  {11, "DtcsCode \"024\" is not a DCS code of the radio"},
                  {12, "Mode \"AM\" is neither FM nor NFM"},
                  {13,
                   "Frequency \"439.000000\" is outside 440-451 MHz; cToneFreq \"1.0\" is not "
                   "a CTCSS tone of the radio; Mode \"DV\" is neither FM nor NFM"},
              }));

    // Loading it leaves the table as it was and says all of it, naming the file.
    test::TempDir dir;
    test::writeTextFile(dir / "bad.csv", kBadRows);
    ChannelTable table;
    table.setCell(1, 40, "447.00000");
    const ChannelTable before = table;
    test::ScriptedDialogs dialogs;
    try {
        LoadChirpCsv(table, dir / "bad.csv", session, dialogs);
        FAIL() << "loaded";
    } catch (const ChirpCsvError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind((dir / "bad.csv").string() + ": the CSV file is refused", 0), 0U);
        EXPECT_THAT(what, HasSubstr("\nline 3: Location \"0\""));
        EXPECT_THAT(what, HasSubstr("\nline 13: Frequency \"439.000000\""));
    }
    EXPECT_TRUE(table == before);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ChirpCsvTest, SkipInvalidTakesTheGoodRowsAndListsTheOthers) {
    const ChirpCsvChannels channels = parse(kBadRows, true);
    std::vector<int> skippedLines;
    for (const CsvLineNote& note : channels.skipped) {
        skippedLines.push_back(note.line);
    }
    EXPECT_EQ(skippedLines, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(channels.warnings,
              (std::vector<CsvLineNote>{{14, "Name \"Fine one\" became \"FINEON\""}}));

    test::TempDir dir;
    test::writeTextFile(dir / "bad.csv", kBadRows);
    ChannelTable table;
    test::ScriptedDialogs dialogs;
    LoadChirpCsv(table, dir / "bad.csv", session, dialogs, {.skipInvalid = true});
    EXPECT_EQ(table.rowCount(), ChannelTable::kShownRowCount);
    EXPECT_EQ(table.cell(12, 1), "GOOD");
    EXPECT_EQ(table.cell(12, 13), "FINEON");
    for (int row = 2; row <= 12; ++row) {
        EXPECT_TRUE(table.rowIsEmpty(row)) << row;
    }
    ASSERT_EQ(dialogs.messages().size(), 1U);
    EXPECT_THAT(dialogs.messages()[0], HasSubstr("bad.csv: 11 rows skipped:\nline 3: "));
    EXPECT_THAT(dialogs.messages()[0], HasSubstr("\nline 14: Name \"Fine one\" became"));
}

TEST_F(ChirpCsvTest, AFileThatCannotBeReadAtAllIsRefusedEvenWhenSkipping) {
    const struct {
        const char* name;
        std::string text;
        CsvLineNote problem;
    } cases[] = {
        {"empty", "", {1, "the file has no header line"}},
        {"no Frequency column",
         "\r\nLocation,Freq\r\n1,446\r\n",
         {2, "the header has no Frequency column"}},
        {"no Location column", "Channel,Frequency\r\n", {1, "the header has no Location column"}},
        {"broken quotes",
         "Location,Frequency,Name\r\n1,446,\"open\r\n2,446,x\r\n",
         {2, "a quoted field is never closed"}},
    };
    for (const auto& c : cases) {
        try {
            parse(c.text, true);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const ChirpCsvError& e) {
            EXPECT_EQ(e.problems(), std::vector<CsvLineNote>{c.problem}) << c.name;
        }
    }
}

TEST_F(ChirpCsvTest, ExportRefusesCellsTheRadioCannotTakeNamingThem) {
    const struct {
        int column;
        const char* text;
        const char* message;
    } cases[] = {
        {1, "446.1.5", "channel 9, RX Frequency(MHZ): \"446.1.5\" is not a number"},
        {2, "abc", "channel 9, TX Frequency(MHZ): \"abc\" is not a number"},
        {3, "D999N", "channel 9, CTCSS/DCS Dec: \"D999N\" is not in the tone list"},
        {4, "67", "channel 9, CTCSS/DCS Enc: \"67\" is not in the tone list"},
    };
    for (const auto& c : cases) {
        ChannelTable table;
        setRow(table, 9, channel("446.00625", "446.00625"));
        table.setCell(c.column, 9, c.text);
        try {
            formatChirpCsv(table);
            ADD_FAILURE() << c.text << " exported";
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(ChirpCsvTest, SaveThenLoadGivesTheChannelsBack) {
    test::TempDir dir;
    const ChannelTable saved = everyColumnTable();
    SaveChirpCsv(saved, dir / "t.CSV");
    EXPECT_TRUE(isChirpCsvPath(dir / "t.CSV"));
    EXPECT_FALSE(isChirpCsvPath(dir / "t.chnw"));

    ChannelTable loaded;
    test::ScriptedDialogs dialogs;
    LoadChirpCsv(loaded, dir / "t.CSV", session, dialogs);
    for (int row = 1; row <= ChannelCount; ++row) {
        EXPECT_EQ(cells(loaded, row), cells(saved, row)) << row;
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace lumo
