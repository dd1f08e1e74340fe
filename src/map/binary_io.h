#pragma once

#include "data/file_io.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvane {

// Little-endian fields of the map's binary files, independent of the host's order.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - offset_; }

    bool ReadBytes(std::size_t count, std::string_view& out) {
        if (count > remaining()) {
            return false;
        }
        out = bytes_.substr(offset_, count);
        offset_ += count;
        return true;
    }
    bool ReadU8(std::uint8_t& value) { return ReadUnsigned(1, value); }
    bool ReadU16(std::uint16_t& value) { return ReadUnsigned(2, value); }
    bool ReadU32(std::uint32_t& value) { return ReadUnsigned(4, value); }
    bool ReadI16(std::int16_t& value) {
        std::uint16_t raw = 0;
        bool ok = ReadU16(raw);
        value = static_cast<std::int16_t>(raw);
        return ok;
    }
    bool ReadI32(std::int32_t& value) {
        std::uint32_t raw = 0;
        bool ok = ReadU32(raw);
        value = static_cast<std::int32_t>(raw);
        return ok;
    }
    bool ReadDouble(double& value) {
        std::uint64_t raw = 0;
        bool ok = ReadUnsigned(8, raw);
        std::memcpy(&value, &raw, sizeof value);
        return ok;
    }

private:
    template <typename T>
    bool ReadUnsigned(std::size_t size, T& value) {
        if (size > remaining()) {
            return false;
        }
        std::uint64_t result = 0;
        for (std::size_t i = 0; i < size; ++i) {
            result |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[offset_ + i]))
                      << (8 * i);
        }
        offset_ += size;
        value = static_cast<T>(result);
        return true;
    }

    std::string_view bytes_;
    std::size_t offset_ = 0;
};

inline void AppendLittleEndian(std::string& out, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

inline void AppendI16(std::string& out, std::int16_t value) {
    AppendLittleEndian(out, static_cast<std::uint16_t>(value), 2);
}
inline void AppendI32(std::string& out, std::int32_t value) {
    AppendLittleEndian(out, static_cast<std::uint32_t>(value), 4);
}
inline void AppendDouble(std::string& out, double value) {
    std::uint64_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    AppendLittleEndian(out, raw, 8);
}

} // namespace quorvane
