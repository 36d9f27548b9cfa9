#include "Core/tools/Csv.h"

#include "Core/tools/Utf8.h"

#include <csv.h>

#include <cctype>
#include <deque>
#include <istream>
#include <ostream>
#include <string_view>

namespace Core::Csv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Blanks are part of a field.
int noBlanks(unsigned char) { return 0; }

// Blanks at the ends are quoted too: some programs trim them from unquoted fields.
bool needsQuotes(const std::string& field) {
    if (field.find_first_of(",\"\r\n") != std::string::npos) return true;
    return !field.empty() && (std::isblank(static_cast<unsigned char>(field.front())) != 0 ||
                              std::isblank(static_cast<unsigned char>(field.back())) != 0);
}

}  // namespace

Error::Error(std::size_t line, const std::string& reason)
    : std::runtime_error("wiersz " + std::to_string(line) + ": " + reason), line_(line) {}

// The file is fed to libcsv one line at a time, so that a record's first line
// is known: a line that begins outside quotes (every quote, doubled ones
// included, opens or closes them) begins a record. libcsv is C: its
// callbacks only collect, and errors are raised once it has returned.
struct Reader::Parser {
    explicit Parser(std::istream& input) : in(input) {
        if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
        csv_set_space_func(&parser, noBlanks);
    }
    ~Parser() { csv_free(&parser); }

    static void onField(void* data, std::size_t size, void* self) {
        auto& state = *static_cast<Parser*>(self);
        std::string_view text(static_cast<const char*>(data), size);
        if (state.current.fields.empty()) state.current.line = state.recordLine;
        if (!Core::Utf8::isValid(text) && state.invalidLine == 0) state.invalidLine = state.current.line;
        state.current.fields.emplace_back(text);
    }

    static void onRecordEnd(int, void* self) {
        auto& state = *static_cast<Parser*>(self);
        state.ready.push_back(std::move(state.current));
        state.current = {};
    }

    void checkInvalidText() {
        if (invalidLine != 0) throw Error(invalidLine, "tekst nie jest zapisany w UTF-8");
    }

    // Feeds the next line of the input; false at its end. A lone CR (old Mac
    // files) ends a record for libcsv, so it ends a line here too: a record
    // after it is told the line it starts on.
    bool feedLine() {
        if (finished) return false;
        if (!std::getline(in, text)) {
            finished = true;
            if (csv_fini(&parser, onField, onRecordEnd, this) != 0)
                throw Error(recordLine, "cudzysłów niezamknięty do końca pliku");
            checkInvalidText();
            return true;
        }
        text.push_back('\n');
        for (std::size_t begin = 0; begin < text.size();) {
            const std::size_t cr = text.find('\r', begin);
            const std::size_t end = cr == std::string::npos || text[cr + 1] == '\n' ? text.size() : cr + 1;
            feed(std::string_view(text).substr(begin, end - begin));
            begin = end;
        }
        return true;
    }

    // Feeds one line, its end included.
    void feed(std::string_view fed) {
        ++line;
        if (!inQuotes) recordLine = line;
        for (char c : fed) inQuotes = inQuotes != (c == '"');
        if (line == 1 && fed.starts_with(kByteOrderMark)) fed.remove_prefix(kByteOrderMark.size());
        if (csv_parse(&parser, fed.data(), fed.size(), onField, onRecordEnd, this) != fed.size())
            throw Error(line,
                        "błędny cudzysłów: pole w cudzysłowie musi się nim kończyć, a cudzysłów wewnątrz pola "
                        "zapisuje się podwójnie");
        checkInvalidText();
    }

    std::istream& in;
    csv_parser parser{};
    std::string text;
    std::size_t line = 0;
    std::size_t recordLine = 0;  // where the record being read starts
    bool inQuotes = false;
    bool finished = false;
    std::size_t invalidLine = 0;
    Record current;
    std::deque<Record> ready;
};

Reader::Reader(std::istream& in) : parser_(std::make_unique<Parser>(in)) {}

Reader::~Reader() = default;

bool Reader::next(Record& record) {
    while (parser_->ready.empty())
        if (!parser_->feedLine()) return false;
    record = std::move(parser_->ready.front());
    parser_->ready.pop_front();
    return true;
}

void Writer::write(std::span<const std::string> fields) {
    bool first = true;
    for (const auto& field : fields) {
        if (!first) out_ << ',';
        first = false;
        if (!needsQuotes(field)) {
            out_ << field;
            continue;
        }
        quoted_.resize(2 * field.size() + 2);
        quoted_.resize(csv_write(quoted_.data(), quoted_.size(), field.data(), field.size()));
        out_ << quoted_;
    }
    out_ << '\n';
}

}  // namespace Core::Csv
