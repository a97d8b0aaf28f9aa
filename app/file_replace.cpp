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

#include <cerrno>
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

#ifdef _WIN32
bool CreateTemporary(const std::string& path) {
    std::ofstream created(path, std::ios::out | std::ios::trunc);
    return created.is_open();
}

bool FlushToDisk(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) != 0 && flushed;
}
#else
// The temporary gets the target's permissions, so the replacement does not change who may read
// the file. O_EXCL and O_NOFOLLOW: never write through a link or file planted under its name.
int CreateTemporary(const std::string& path, const fs::file_status& targetStatus) {
    int descriptor =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor >= 0 && fs::exists(targetStatus) &&
        ::fchmod(descriptor, static_cast<mode_t>(targetStatus.permissions())) != 0) {
        ::close(descriptor);
        ::unlink(path.c_str());
        return -1;
    }
    return descriptor;
}

// The folder of `file` takes no new file from this user: the temporary cannot be made there.
bool FolderRefusesNewFiles(const std::string& file) {
    std::string folder = fs::path(file).parent_path().string();
    return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0 && errno == EACCES;
}

// The temporary's name still leads to the file written: nothing was swapped in under it.
bool StillNamed(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A name that opens the very file behind `descriptor`: Linux names each open file under
// /proc/self/fd. Elsewhere, or without /proc, the file's own path.
std::string NameOfOpenFile(int descriptor, const std::string& path) {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    std::string own = "/proc/self/fd/" + std::to_string(descriptor);
    if (::access(own.c_str(), F_OK) == 0) {
        return own;
    }
#endif
    (void)descriptor;
    return path;
}
#endif

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
#ifdef _WIN32
    if (error || !CreateTemporary(candidate)) {
        return false;
    }
    writePath = candidate;
    temporary = candidate;
#else
    descriptor = error ? -1 : CreateTemporary(candidate, status);
    if (descriptor >= 0) {
        temporary = candidate;
        writePath = NameOfOpenFile(descriptor, candidate);
    } else if (fs::exists(status) && FolderRefusesNewFiles(resolved)) {
        descriptor = ::open(resolved.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0) {
            return false;
        }
        writePath = NameOfOpenFile(descriptor, resolved);
    } else {
        return false;
    }
#endif
    target = resolved;
    return true;
}

bool FileReplacement::Finish() {
    if (!Active()) {
        return false;
    }
#ifdef _WIN32
    bool placed = FlushToDisk(temporary) && MoveOver(temporary, target);
#else
    bool placed =
        ::fsync(descriptor) == 0 && (temporary.empty() || StillNamed(descriptor, temporary));
    placed = ::close(descriptor) == 0 && placed;
    descriptor = -1;
    placed = placed && (temporary.empty() || MoveOver(temporary, target));
#endif
    if (!placed) {
        Abandon();
        return false;
    }
    target.clear();
    temporary.clear();
    writePath.clear();
    return true;
}

void FileReplacement::Abandon() {
#ifndef _WIN32
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
#endif
    if (!temporary.empty()) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    target.clear();
    temporary.clear();
    writePath.clear();
}
