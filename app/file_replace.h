// Replacing a file whole: written beside its target, moved over it only when complete.
#pragma once

#include <string>

// One replacement of a file, from the first byte written to the rename over the old file. A crash
// or power cut at any moment leaves either the old file or the new one, never a mix.
//
// One exception keeps a shared file writable: when the folder cannot take the temporary file (a
// score file the player may write in a folder the player may not), the file is written in place,
// as it always was before replacement existed. A crash or kill during that write can leave it cut
// short, which is why the rename is taken wherever the folder allows it.
class FileReplacement {
  public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement() { Abandon(); }

    // Makes the temporary file beside the file `path` names (through any symbolic links, so the
    // link keeps pointing at the updated file), or opens the file itself where only that can be
    // written. False, with nothing left behind, when the target cannot be written: a folder or
    // other non-file, a file marked read-only, a missing file in a folder the player may not
    // write.
    bool Begin(const std::string& path);
    // The name to open for writing the new contents. Where the system allows it, this names the
    // file Begin opened itself, not its path, so nothing put under the path since is written to.
    const std::string& WritePath() const { return writePath; }
    // Puts a completely written file in place, on disk before the call returns. False when any
    // step fails; the old file is then untouched (unless written in place) and the temporary
    // removed.
    bool Finish();
    // Removes the temporary; the target stays as it was.
    void Abandon();
    bool Active() const { return !writePath.empty(); }
    // True when Begin could only open the target itself.
    bool InPlace() const { return Active() && temporary.empty(); }

  private:
    std::string target;
    std::string temporary;  // empty when writing in place
    std::string writePath;
    int descriptor = -1;  // the file being written; Windows writes through its name
};

// The path a file name finally stands for after following symbolic links (the name itself when
// it is no link).
std::string ResolveLinks(const std::string& path);

// True for a name that cannot be read as a plain file: missing, a folder, a device or a pipe.
bool IsUnreadableAsFile(const std::string& path);
