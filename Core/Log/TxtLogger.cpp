#include "Core/Log/TxtLogger.h"

namespace Core {

CLogWriter::~CLogWriter() = default;

void CStringLogWriter::write(std::string_view line) {
    text_.append(line);
    text_.push_back('\n');
}

void CTxtLogger::logHeader(const std::string& text) {
    write("", text);
}

void CTxtLogger::logLine(const std::string& text) {
    write("  ", text);
}

void CTxtLogger::logError(const std::string& text) {
    write("  BŁĄD: ", text);
}

void CTxtLogger::write(std::string_view prefix, const std::string& text) {
    // Further lines of an entry keep its indentation, so the entry stays one block.
    const std::string indent(prefix.empty() ? 0 : 2, ' ');
    std::string_view rest = text;
    std::string line(prefix);
    for (;;) {
        const auto end = rest.find('\n');
        line.append(rest.substr(0, end));
        writer_.write(line);
        if (end == std::string_view::npos) return;
        rest.remove_prefix(end + 1);
        line = indent;
    }
}

}  // namespace Core
