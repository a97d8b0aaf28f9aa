// Scratch folders for the tools, the tests and the benches.
#pragma once

#include <filesystem>
#include <string>

// A fresh empty folder in the system's temporary folder, removed with all it holds when the object
// goes. Unless told otherwise it is the working directory while the object lives.
class ScratchDirectory {
  public:
    enum class Enter { Yes, No };

    explicit ScratchDirectory(Enter enter = Enter::Yes);
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;

  private:
    std::filesystem::path previous;  // the working directory to return to; empty if not entered
    std::filesystem::path path;
};
