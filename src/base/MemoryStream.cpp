#include "base/MemoryStream.h"

#include <cstring>
#include <string>

#include "base/Exceptions.h"

namespace base {

MemoryStream MemoryStream::Reading(std::span<const uint8_t> bytes) {
    MemoryStream stream;
    // An empty span may have no address; then there is nothing to borrow.
    if (!bytes.empty()) {
        stream.borrowed_ = bytes;
    }
    return stream;
}

const std::vector<uint8_t>& MemoryStream::Bytes() const {
    TakeOwnership();
    return bytes_;
}

void MemoryStream::TakeOwnership() const {
    if (Borrowed()) {
        bytes_.assign(borrowed_.begin(), borrowed_.end());
        borrowed_ = {};
    }
}

void MemoryStream::Seek(size_t position) {
    if (position > Size()) {
        throw EReadError("Stream read error: seek to " + std::to_string(position) +
                         " past the end at " + std::to_string(Size()));
    }
    position_ = position;
}

void MemoryStream::Require(size_t count) const {
    if (count > Remaining()) {
        throw EReadError("Stream read error: " + std::to_string(count) + " bytes wanted at " +
                         std::to_string(position_) + ", " + std::to_string(Remaining()) + " left");
    }
}

void MemoryStream::Read(void* destination, size_t count) {
    Require(count);
    if (count > 0) {
        std::memcpy(destination, Contents().data() + position_, count);
    }
    position_ += count;
}

std::vector<uint8_t> MemoryStream::ReadBytes(size_t count) {
    const std::span<const uint8_t> bytes = ReadSpan(count);
    return {bytes.begin(), bytes.end()};
}

std::span<const uint8_t> MemoryStream::ReadSpan(size_t count) {
    Require(count);
    const std::span<const uint8_t> result = Contents().subspan(position_, count);
    position_ += count;
    return result;
}

uint8_t MemoryStream::ReadU8() {
    uint8_t value = 0;
    Read(&value, 1);
    return value;
}

uint16_t MemoryStream::ReadU16() {
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int16_t MemoryStream::ReadI16() {
    return static_cast<int16_t>(ReadU16());
}

uint32_t MemoryStream::ReadU32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

int32_t MemoryStream::ReadI32() {
    return static_cast<int32_t>(ReadU32());
}

void MemoryStream::Write(const void* source, size_t count) {
    TakeOwnership();
    if (position_ + count > bytes_.size()) {
        bytes_.resize(position_ + count);
    }
    if (count > 0) {
        std::memcpy(bytes_.data() + position_, source, count);
    }
    position_ += count;
}

void MemoryStream::WriteU16(uint16_t value) {
    const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Write(b, 2);
}

void MemoryStream::WriteU32(uint32_t value) {
    const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    Write(b, 4);
}

}  // namespace base
