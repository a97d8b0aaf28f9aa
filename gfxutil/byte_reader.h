// Bounds-checked little-endian reads from bytes the loaders do not trust.
#pragma once

#include <cstddef>
#include <cstdint>

inline uint16_t LoadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline uint32_t LoadU32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

// Every read checks the remaining length first and fails without moving when it is short.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data(data), size(size) {}

    size_t Position() const { return position; }
    size_t Remaining() const { return size - position; }
    bool Has(size_t count) const { return count <= Remaining(); }
    const uint8_t* Current() const { return data + position; }

    bool Skip(size_t count) {
        if (!Has(count)) {
            return false;
        }
        position += count;
        return true;
    }
    bool ReadU16(uint16_t& value) { return Read(value, LoadU16); }
    bool ReadU32(uint32_t& value) { return Read(value, LoadU32); }
    bool ReadI32(int32_t& value) {
        uint32_t raw = 0;
        if (!ReadU32(raw)) {
            return false;
        }
        value = static_cast<int32_t>(raw);
        return true;
    }

  private:
    template <typename T>
    bool Read(T& value, T (*load)(const uint8_t*)) {
        if (!Has(sizeof(T))) {
            return false;
        }
        value = load(Current());
        position += sizeof(T);
        return true;
    }

    const uint8_t* data;
    size_t size;
    size_t position = 0;
};
