#include "Core/CashRegister/Record.h"

#include <boost/crc.hpp>

#include <stdexcept>

namespace Core::CashRegister {
namespace {

constexpr std::size_t kTagSize = 4;
constexpr std::size_t kHeaderSize = kTagSize + 2;
constexpr std::size_t kCrcSize = 4;

std::uint32_t readLittleEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

}  // namespace

std::uint32_t crc32(std::string_view bytes) {
    boost::crc_32_type crc;
    crc.process_bytes(bytes.data(), bytes.size());
    return crc.checksum();
}

std::string littleEndian16(std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    return {static_cast<char>(bits & 0xFFU), static_cast<char>(bits >> 8)};
}

std::string littleEndian32(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (auto& byte : bytes) {
        byte = static_cast<char>(value & 0xFFU);
        value >>= 8;
    }
    return bytes;
}

std::string encodeRecord(std::string_view tag, std::string_view code) {
    std::string record;
    appendRecord(record, tag, code);
    return record;
}

void appendRecord(std::string& out, std::string_view tag, std::string_view code) {
    const auto length = static_cast<std::uint16_t>(code.size());
    std::uint32_t crc = crc32(code);
    const std::size_t at = out.size();
    out.resize(at + kHeaderSize + code.size() + kCrcSize);
    char* place = out.data() + at;
    tag.copy(place, kTagSize);
    place[kTagSize] = static_cast<char>(length & 0xFFU);
    place[kTagSize + 1] = static_cast<char>(length >> 8);
    code.copy(place + kHeaderSize, code.size());
    for (std::size_t i = 0; i < kCrcSize; ++i, crc >>= 8)
        place[kHeaderSize + code.size() + i] = static_cast<char>(crc & 0xFFU);
}

std::optional<Record> RecordReader::next() {
    const std::string_view rest = std::string_view(pending_).substr(offset_);
    if (rest.size() < kHeaderSize) return std::nullopt;
    const auto length = static_cast<std::int16_t>(readLittleEndian(rest.substr(kTagSize, 2)));
    if (length < 0) throw std::runtime_error("Błędny rekord: ujemna długość kodu (" + std::to_string(length) + ").");
    const std::size_t size = kHeaderSize + static_cast<std::size_t>(length) + kCrcSize;
    if (rest.size() < size) return std::nullopt;
    Record record{std::string(rest.substr(0, kTagSize)), std::string(rest.substr(kHeaderSize, length)), false};
    record.crcValid = readLittleEndian(rest.substr(kHeaderSize + length, kCrcSize)) == crc32(record.code);
    offset_ += size;
    if (offset_ > 65536) {
        pending_.erase(0, offset_);
        offset_ = 0;
    }
    return record;
}

}  // namespace Core::CashRegister
