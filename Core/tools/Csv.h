#pragma once
// CSV files in UTF-8 as spreadsheets write them (RFC 4180): fields separated
// by commas, records by line breaks (LF or CRLF); a field holding a comma, a
// quote or a line break is quoted, its quotes doubled. Blanks belong to the
// field; nothing is trimmed. Parsing is libcsv's, in its strict mode.

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace Core::Csv {

// A malformed file: what() is "wiersz N: REASON", N the line where the record starts.
class Error : public std::runtime_error {
public:
    Error(std::size_t line, const std::string& reason);
    std::size_t line() const { return line_; }

private:
    std::size_t line_;
};

struct Record {
    std::vector<std::string> fields;
    std::size_t line = 0;  // the line of the file where the record starts, from 1
};

// Reads records one by one. A byte order mark at the start is skipped, blank
// lines are skipped, and a record may span lines inside a quoted field.
class Reader {
public:
    explicit Reader(std::istream& in);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The next record into `record`; false at the end of the input. Throws
    // Error for malformed quoting or text that is not UTF-8.
    bool next(Record& record);

private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};

// Writes records, each ended by "\n", quoting only the fields that need it:
// those with a comma, a quote or a line break, or with blanks at an end.
class Writer {
public:
    explicit Writer(std::ostream& out) : out_(out) {}
    void write(std::span<const std::string> fields);

private:
    std::ostream& out_;
    std::string quoted_;
};

}  // namespace Core::Csv
