// Reading a whole file into memory, refusing files above the caller's ceiling.
#include "gfxutil/file_bytes.h"

#include <fstream>

bool ReadFileBytes(const char* fileName, size_t maximumSize, std::vector<uint8_t>& bytes,
                   std::string& error) {
    if (fileName == nullptr) {
        error = "no file name";
        return false;
    }
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file) {
        error = std::string("cannot open ") + fileName;
        return false;
    }
    const std::streamoff length = file.tellg();
    if (length < 0 || static_cast<uint64_t>(length) > maximumSize) {
        error = std::string(fileName) + " is too large";
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    file.seekg(0);
    if (length > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), length)) {
        error = std::string("cannot read ") + fileName;
        return false;
    }
    return true;
}
