#include "Core/tools/Csv.h"
#include "tests/support/Failure.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

std::vector<Core::Csv::Record> readAll(const std::string& text) {
    std::istringstream in(text);
    Core::Csv::Reader reader(in);
    std::vector<Core::Csv::Record> records;
    for (Core::Csv::Record record; reader.next(record);) records.push_back(record);
    return records;
}

// The records read, one a line: the line the record starts on, then its fields, each in brackets.
std::string read(const std::string& text) {
    std::string result;
    for (const auto& record : readAll(text)) {
        result += std::to_string(record.line) + ":";
        for (const auto& field : record.fields) result += "[" + field + "]";
        result += "\n";
    }
    return result;
}

std::string errorOf(const std::string& text) {
    return TestSupport::failure<Core::Csv::Error>([&] { readAll(text); });
}

}  // namespace

// The byte order mark and CR are not part of the text, blanks stay, quotes are doubled inside quotes, a blank
// line is skipped but counted, a record spanning lines starts on its first; a lone CR ends a line as it ends a
// record, and the CR inside the quotes counts as a line too.
TEST(Csv, ReadsQuotedFieldsBlanksAndRecordsOverSeveralLinesNamesTheLineOfAnErrorAndReadsBackWhatItWrote) {
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "a,b,c\r\n\n x ,\"y, z\",\"\"\"q\"\"\"\n\"two\nlines\",,\"\"\nŻółć,last,without newline"),
              "1:[a][b][c]\n3:[ x ][y, z][\"q\"]\n4:[two\nlines][][]\n6:[Żółć][last][without newline]\n");
    EXPECT_EQ(read("a,b\rc,\"d\re\"\r\nf,g\n\"h\n\"\rq,\"r\"\"s\",\n"),
              "1:[a][b]\n2:[c][d\re]\n4:[f][g]\n5:[h\n]\n7:[q][r\"s][]\n");

    // Malformed quoting and text that is not UTF-8 name their line.
    EXPECT_EQ(errorOf("a,b\nc,d\"e\n"), std::string("wiersz 2: ") +
                                            "błędny cudzysłów: pole w cudzysłowie musi się nim kończyć, a cudzysłów "
                                            "wewnątrz pola zapisuje się podwójnie");
    EXPECT_EQ(errorOf("a\n\"b\"c\n").substr(0, 9), "wiersz 2:");
    EXPECT_EQ(errorOf("a\nb\n\"open,\nnever closed\n"), "wiersz 3: cudzysłów niezamknięty do końca pliku");
    EXPECT_EQ(errorOf("a,b\nok,ok\n\xBFle,x\n"), "wiersz 3: tekst nie jest zapisany w UTF-8") << "Windows-1250 text";

    // Written records read back as they were.
    const std::vector<Fields> records = {
        {"lTowarRef", "sNazwa", "sPLU"},
        {"1", "Mleko \"Łaciate\", 2%", ""},
        {"", " spacje ", "linia\npierwsza\r\ndruga"},
        {"O'Neil", ",", "\""},
    };
    std::ostringstream out;
    Core::Csv::Writer writer(out);
    for (const auto& record : records) writer.write(record);
    EXPECT_TRUE(out.str().starts_with("lTowarRef,sNazwa,sPLU\n1,\"Mleko \"\"Łaciate\"\", 2%\",\n,\" spacje \","))
        << "only the fields that need it are quoted:\n"
        << out.str();
    std::vector<Fields> back;
    for (const auto& record : readAll(out.str())) back.push_back(record.fields);
    EXPECT_EQ(back, records);
}

