// Scratch folders for the tools, the tests and the benches.
#include "tools/replay/scratch_directory.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory(Enter enter) {
    // The process id keeps programs that run at the same time apart, the serial a program's own.
    static std::atomic<int> serial{0};
    path = fs::temp_directory_path() /
           ("gorvanti-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(path);
    fs::create_directories(path);
    if (enter == Enter::Yes) {
        previous = fs::current_path();
        fs::current_path(path);
    }
}

ScratchDirectory::~ScratchDirectory() {
    if (!previous.empty()) {
        fs::current_path(previous);
    }
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
