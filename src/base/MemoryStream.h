#pragma once
// A growable byte stream with a position: little-endian reads and writes. Every read checks
// what is left and fails with EReadError instead of running past the end.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace base {

class MemoryStream {
  public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    explicit MemoryStream(std::span<const uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}

    // A stream that reads the caller's bytes where they are, without a copy; they must outlive
    // it. The first write copies them into the stream's own bytes.
    static MemoryStream Reading(std::span<const uint8_t> bytes);

    // All the bytes, for reading (valid until the next write).
    std::span<const uint8_t> Contents() const { return Borrowed() ? borrowed_ : bytes_; }
    // The bytes as a vector (a stream reading borrowed bytes copies them first).
    const std::vector<uint8_t>& Bytes() const;
    size_t Size() const { return Contents().size(); }
    size_t Position() const { return position_; }
    void Seek(size_t position);
    size_t Remaining() const { return Size() - position_; }

    // Fails with EReadError naming the request when fewer than `count` bytes are left.
    void Require(size_t count) const;

    void Read(void* destination, size_t count);
    std::vector<uint8_t> ReadBytes(size_t count);
    // The next `count` bytes where they lie, without a copy: valid while the stream's bytes
    // are (for a reading stream, the caller's) and until the next write.
    std::span<const uint8_t> ReadSpan(size_t count);
    uint8_t ReadU8();
    int16_t ReadI16();
    uint16_t ReadU16();
    int32_t ReadI32();
    uint32_t ReadU32();

    // Writes at the position, overwriting or growing the stream.
    void Write(const void* source, size_t count);
    void WriteBytes(std::span<const uint8_t> bytes) { Write(bytes.data(), bytes.size()); }
    void WriteU8(uint8_t value) { Write(&value, 1); }
    void WriteI16(int16_t value) { WriteU16(static_cast<uint16_t>(value)); }
    void WriteU16(uint16_t value);
    void WriteI32(int32_t value) { WriteU32(static_cast<uint32_t>(value)); }
    void WriteU32(uint32_t value);

  private:
    bool Borrowed() const { return borrowed_.data() != nullptr; }
    // Makes the borrowed bytes the stream's own.
    void TakeOwnership() const;

    // Owned bytes, or (while borrowed_ points somewhere) a copy made only when asked for.
    mutable std::vector<uint8_t> bytes_;
    mutable std::span<const uint8_t> borrowed_;
    size_t position_ = 0;
};

}  // namespace base
