// A scratch working directory for a test, and the settings files the game expects to find in it.
#include "tests/support/scratch_directory.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

const char* const ARROW_KEYS_SETUP =
    "keys\n"
    "up\n26\n"
    "right\n27\n"
    "down\n28\n"
    "left\n25\n"
    "fifth\n20\n"
    "end\n";

const char* const SLOWEST_BEST_TIMES =
    "270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n";

ScratchDirectory::ScratchDirectory() : previous(fs::current_path()) {
    static std::atomic<int> serial{0};
    path = fs::temp_directory_path() /
           ("gorvanti-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(path);
    fs::create_directories(path);
    fs::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void ScratchDirectory::Write(const std::string& name, const std::string& content) const {
    std::ofstream(path / name, std::ios::binary) << content;
}

std::string ScratchDirectory::Read(const std::string& name) const {
    std::ifstream file(path / name, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

bool ScratchDirectory::Exists(const std::string& name) const {
    return fs::exists(path / name);
}

bool ScratchDirectory::CopyArt() const {
    fs::path art = fs::path(GORVANTI_RUN_DIR) / "graphics";
    if (!fs::exists(art)) {
        return false;
    }
    fs::copy(art, path / "graphics", fs::copy_options::recursive);
    return true;
}
