#pragma once
// A growable byte buffer with a read/write position: the in-memory stream that
// skin files, packages and entries travel in. Portable: no Windows header.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace skin {

class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::span<const uint8_t> bytes) : FData(bytes.begin(), bytes.end()) {}
    explicit MemoryStream(std::string_view text)
        : FData(reinterpret_cast<const uint8_t*>(text.data()),
                reinterpret_cast<const uint8_t*>(text.data()) + text.size()) {}

    size_t Size() const noexcept { return FData.size(); }
    size_t Position() const noexcept { return FPosition; }
    // Positions past the end are allowed, as with a file; reads there return nothing.
    void SetPosition(size_t position) noexcept { FPosition = position; }
    size_t Remaining() const noexcept { return FPosition < FData.size() ? FData.size() - FPosition : 0; }

    void Clear() noexcept {
        FData.clear();
        FPosition = 0;
    }
    void SetSize(size_t size) {
        FData.resize(size);
        FPosition = std::min(FPosition, size);
    }
    void Reserve(size_t capacity) { FData.reserve(capacity); }

    // Copies up to count bytes from the position on; answers how many it copied.
    size_t Read(void* buffer, size_t count) noexcept {
        const size_t n = std::min(count, Remaining());
        if (n != 0) {
            std::memcpy(buffer, FData.data() + FPosition, n);
        }
        FPosition += n;
        return n;
    }

    // Writes count bytes at the position, growing the stream as needed.
    void Write(const void* buffer, size_t count) {
        if (count == 0) {
            return;
        }
        if (FPosition + count > FData.size()) {
            FData.resize(FPosition + count);
        }
        std::memcpy(FData.data() + FPosition, buffer, count);
        FPosition += count;
    }
    void Write(std::span<const uint8_t> bytes) { Write(bytes.data(), bytes.size()); }

    // Reads a little-endian 32-bit value; false (and the position unchanged) when fewer than 4 bytes remain.
    bool ReadUInt32(uint32_t& value) noexcept {
        if (Remaining() < 4) {
            return false;
        }
        const uint8_t* p = FData.data() + FPosition;
        value = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        FPosition += 4;
        return true;
    }
    void WriteUInt32(uint32_t value) {
        const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
        Write(bytes, 4);
    }

    std::span<const uint8_t> Bytes() const noexcept { return FData; }
    const uint8_t* Data() const noexcept { return FData.data(); }
    uint8_t* Data() noexcept { return FData.data(); }

private:
    std::vector<uint8_t> FData;
    size_t FPosition = 0;
};

} // namespace skin
