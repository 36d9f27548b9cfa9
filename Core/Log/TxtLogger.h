#pragma once
// The host's text logger: CTxtLogger writes headers, lines and error lines
// of a log to a CLogWriter, which keeps or passes on the text;
// CStringLogWriter keeps the whole log in memory as one text.
//
// Log format: a header stands as written; a line is indented by two spaces;
// an error line is indented and starts with "BŁĄD: ". Every entry ends with a
// line break; the further lines of an entry of several lines are indented as
// its first.

#include <string>
#include <string_view>

namespace Core {

// Where a logger's lines go.
class CLogWriter {
public:
    virtual ~CLogWriter();
    // One line of the log, without its line break.
    virtual void write(std::string_view line) = 0;
};

// Keeps the log as one text, every line ended by "\n".
class CStringLogWriter : public CLogWriter {
public:
    void write(std::string_view line) override;
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

class CTxtLogger {
public:
    // The writer must outlive the logger.
    explicit CTxtLogger(CLogWriter& writer) : writer_(writer) {}

    // A heading of the entries that follow it.
    void logHeader(const std::string& text);
    // An entry under the last heading.
    void logLine(const std::string& text);
    // An entry reporting a failure.
    void logError(const std::string& text);

private:
    void write(std::string_view prefix, const std::string& text);

    CLogWriter& writer_;
};

}  // namespace Core
