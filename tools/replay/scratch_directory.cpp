// Scratch folders for the tools, the tests and the benches.
#include "tools/replay/scratch_directory.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Windows refuses to delete a read-only file, and some tests leave one behind: give every file its
// write bit back first, or the folder (whose name a later process may reuse) stays.
void RemoveTree(const fs::path& root, std::error_code& error) {
    for (fs::recursive_directory_iterator entry(root, error), end; !error && entry != end;
         entry.increment(error)) {
        fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, error);
    }
    fs::remove_all(root, error);
}

}  // namespace

ScratchDirectory::ScratchDirectory(Enter enter) {
    // The process id keeps programs that run at the same time apart, the serial a program's own.
    static std::atomic<int> serial{0};
    path = fs::temp_directory_path() /
           ("gorvanti-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::error_code error;
    RemoveTree(path, error);
    if (error && fs::exists(path)) {
        throw fs::filesystem_error("cannot empty the scratch folder", path, error);
    }
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
    RemoveTree(path, ignored);
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
