#pragma once
// A record the tills read: the tag ("PLU0", "PLU1"), the length of the code
// as a signed 16-bit number, the code's bytes and their CRC-32, every number
// little-endian. RecordReader takes the records back out of the bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Core::CashRegister {

// The common reflected CRC-32 (polynomial 0x04C11DB7, initial and final XOR 0xFFFFFFFF).
std::uint32_t crc32(std::string_view bytes);

// The number's bytes, least significant first.
std::string littleEndian16(std::int16_t value);
std::string littleEndian32(std::uint32_t value);

// The record of `code` tagged `tag` (four ASCII characters), as the tills read it.
std::string encodeRecord(std::string_view tag, std::string_view code);
// The same record added at the end of `out`, with no text of its own made on the way.
void appendRecord(std::string& out, std::string_view tag, std::string_view code);
// The size of that record.
constexpr std::size_t recordSize(std::string_view code) { return 4 + 2 + code.size() + 4; }

struct Record {
    std::string tag;
    std::string code;
    bool crcValid = false;
};

// Records out of a stream of bytes given in pieces of any size.
class RecordReader {
public:
    void feed(std::string_view bytes) { pending_ += bytes; }
    // The next whole record; std::nullopt while more bytes are needed.
    // Throws std::runtime_error, in Polish, for a negative length, after
    // which nothing that follows can be read.
    std::optional<Record> next();
    // The bytes of a record begun and not finished.
    std::size_t incomplete() const { return pending_.size() - offset_; }

private:
    std::string pending_;
    std::size_t offset_ = 0;
};

}  // namespace Core::CashRegister
