// Whole files read into memory, with a ceiling so that a huge file fails instead of exhausting it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// False, with a one-line reason, when the file cannot be read or is larger than maximumSize.
bool ReadFileBytes(const char* fileName, size_t maximumSize, std::vector<uint8_t>& bytes,
                   std::string& error);
