// Little-endian byte output for the binary file formats the generator writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

using Bytes = std::vector<uint8_t>;

class ByteWriter {
  public:
    void U8(uint8_t value) { bytes.push_back(value); }
    void U16(uint16_t value) {
        U8(static_cast<uint8_t>(value));
        U8(static_cast<uint8_t>(value >> 8));
    }
    void U32(uint32_t value) {
        U16(static_cast<uint16_t>(value));
        U16(static_cast<uint16_t>(value >> 16));
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void Text(const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }
    void Zeros(size_t count) { bytes.insert(bytes.end(), count, 0); }

    size_t Size() const { return bytes.size(); }
    Bytes Take() { return std::move(bytes); }

  private:
    Bytes bytes;
};

}  // namespace artgen
