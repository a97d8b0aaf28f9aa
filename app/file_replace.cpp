// Replacing a file whole: written beside its target, moved over it only when complete.
#include "app/file_replace.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const TEMPORARY_SUFFIX = ".tmp";
// More links than this in a row are a loop; the name is then taken as it stands.
constexpr int MAX_LINK_HOPS = 40;

bool HasNoWriteBit(fs::perms permissions) {
    const fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (permissions & anyWrite) == fs::perms::none;
}

// The temporary gets the target's permissions, so the replacement does not change who may read
// the file.
bool CreateTemporary(const std::string& path, const fs::file_status& targetStatus) {
#ifdef _WIN32
    std::ofstream created(path, std::ios::out | std::ios::trunc);
    (void)targetStatus;
    return created.is_open();
#else
    // O_EXCL and O_NOFOLLOW: never write through a link or file planted under the temporary name.
    int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (descriptor < 0) {
        return false;
    }
    bool ready = true;
    if (fs::exists(targetStatus)) {
        ready = ::fchmod(descriptor, static_cast<mode_t>(targetStatus.permissions())) == 0;
    }
    return ::close(descriptor) == 0 && ready;
#endif
}

bool FlushToDisk(const std::string& path) {
#ifdef _WIN32
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) != 0 && flushed;
#else
    int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor < 0) {
        return false;
    }
    bool flushed = ::fsync(descriptor) == 0;
    return ::close(descriptor) == 0 && flushed;
#endif
}

bool MoveOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    // The rename itself reaches the disk with its folder. Some file systems cannot sync a folder;
    // the file is in place all the same.
    std::string folder = fs::path(to).parent_path().string();
    int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
    return true;
#endif
}

}  // namespace

std::string ResolveLinks(const std::string& path) {
    fs::path resolved = path;
    std::error_code error;
    for (int hop = 0; hop < MAX_LINK_HOPS && fs::is_symlink(resolved, error); ++hop) {
        fs::path link = fs::read_symlink(resolved, error);
        if (error) {
            break;
        }
        resolved = link.is_absolute() ? link : resolved.parent_path() / link;
    }
    return resolved.string();
}

bool IsUnreadableAsFile(const std::string& path) {
    std::error_code error;
    return !fs::is_regular_file(path, error);
}

bool FileReplacement::Begin(const std::string& path) {
    Abandon();
    std::string resolved = ResolveLinks(path);
    std::error_code error;
    fs::file_status status = fs::status(resolved, error);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status) || HasNoWriteBit(status.permissions())) {
            return false;
        }
#ifndef _WIN32
        if (::access(resolved.c_str(), W_OK) != 0) {
            return false;
        }
#endif
    }
    std::string candidate = resolved + TEMPORARY_SUFFIX;
    // A temporary left by a crash is stale: the target still holds the last complete file.
    fs::remove(candidate, error);
    if (error || !CreateTemporary(candidate, status)) {
        return false;
    }
    target = resolved;
    temporary = candidate;
    return true;
}

bool FileReplacement::Finish() {
    if (!Active()) {
        return false;
    }
    if (!FlushToDisk(temporary) || !MoveOver(temporary, target)) {
        Abandon();
        return false;
    }
    target.clear();
    temporary.clear();
    return true;
}

void FileReplacement::Abandon() {
    if (Active()) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    target.clear();
    temporary.clear();
}
