// Replacing a file whole: written beside its target, moved over it only when complete.
#pragma once

#include <string>

// One replacement of a file, from the first byte written to the rename over the old file. A crash
// or power cut at any moment leaves either the old file or the new one, never a mix.
class FileReplacement {
  public:
    // Makes the temporary file beside the file `path` names (through any symbolic links, so the
    // link keeps pointing at the updated file). False, with nothing left behind, when the target
    // cannot be written: a folder or other non-file, a file marked read-only, a folder the
    // player may not write.
    bool Begin(const std::string& path);
    // The file to write the new contents into.
    const std::string& TemporaryPath() const { return temporary; }
    // Moves a completely written temporary over the target, on disk before the call returns.
    // False when any step fails; the old file is then untouched and the temporary removed.
    bool Finish();
    // Removes the temporary; the target stays as it was.
    void Abandon();
    bool Active() const { return !temporary.empty(); }

  private:
    std::string target;
    std::string temporary;
};

// The path a file name finally stands for after following symbolic links (the name itself when
// it is no link).
std::string ResolveLinks(const std::string& path);

// True for a name that cannot be read as a plain file: missing, a folder, a device or a pipe.
bool IsUnreadableAsFile(const std::string& path);
