#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Core/tools/Csv.h"
#include "tests/support/Failure.h"

namespace {

using Fields = std::vector<std::string>;

std::vector<Core::Csv::Record> readAll(const std::string& text) {
    std::istringstream in(text);
    Core::Csv::Reader reader(in);
    std::vector<Core::Csv::Record> records;
    Core::Csv::Record record;
    while (reader.next(record)) records.push_back(record);
    return records;
}

std::string errorOf(const std::string& text) {
    return TestSupport::failure<Core::Csv::Error>([&] { readAll(text); });
}

}  // namespace

TEST(Csv, ReadsQuotedFieldsBlanksAndRecordsOverSeveralLinesWithTheirFirstLine) {
    const auto records = readAll(
        "\xEF\xBB\xBF"
        "a,b,c\r\n"
        "\n"
        " x ,\"y, z\",\"\"\"q\"\"\"\n"
        "\"two\nlines\",,\"\"\n"
        "Żółć,last,without newline");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].fields, (Fields{"a", "b", "c"})) << "the byte order mark and CR are not part of the text";
    EXPECT_EQ(records[0].line, 1u);
    EXPECT_EQ(records[1].fields, (Fields{" x ", "y, z", "\"q\""})) << "blanks stay; quotes doubled inside quotes";
    EXPECT_EQ(records[1].line, 3u) << "the blank line 2 is skipped but counted";
    EXPECT_EQ(records[2].fields, (Fields{"two\nlines", "", ""}));
    EXPECT_EQ(records[2].line, 4u) << "a record spanning lines 4 and 5 starts on line 4";
    EXPECT_EQ(records[3].fields, (Fields{"Żółć", "last", "without newline"}));
    EXPECT_EQ(records[3].line, 6u);
}

TEST(Csv, ALoneCarriageReturnEndsALineAsItEndsARecord) {
    const auto records = readAll("a,b\rc,\"d\re\"\r\nf,g\n\"h\n\"\rq,\"r\"\"s\",\n");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[1].fields, (Fields{"c", "d\re"}));
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].line, 4u) << "the CR inside the quotes counts as a line too";
    EXPECT_EQ(records[3].fields, (Fields{"h\n"}));
    EXPECT_EQ(records[3].line, 5u);
    EXPECT_EQ(records[4].fields, (Fields{"q", "r\"s", ""}));
    EXPECT_EQ(records[4].line, 7u) << "after the CR that closes the record of lines 5 and 6";
}

TEST(Csv, MalformedQuotingAndTextThatIsNotUtf8NameTheirLine) {
    EXPECT_EQ(errorOf("a,b\nc,d\"e\n"), std::string("wiersz 2: ") +
                                            "błędny cudzysłów: pole w cudzysłowie musi się nim kończyć, a cudzysłów "
                                            "wewnątrz pola zapisuje się podwójnie");
    EXPECT_EQ(errorOf("a\n\"b\"c\n").substr(0, 9), "wiersz 2:");
    EXPECT_EQ(errorOf("a\nb\n\"open,\nnever closed\n"), "wiersz 3: cudzysłów niezamknięty do końca pliku");
    EXPECT_EQ(errorOf("a,b\nok,ok\n\xBFle,x\n"), "wiersz 3: tekst nie jest zapisany w UTF-8") << "Windows-1250 text";
}

TEST(Csv, WrittenRecordsReadBackAsTheyWere) {
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

    const auto back = readAll(out.str());
    ASSERT_EQ(back.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) EXPECT_EQ(back[i].fields, records[i]);
}
