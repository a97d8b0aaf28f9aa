// A scratch working directory for a test, and the settings files the game expects to find in it.
#pragma once

#include <filesystem>
#include <string>

// A fresh empty directory that is the working directory for the object's lifetime.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Copies the generated art of the build's run folder into ./graphics; false when there is none.
    bool CopyArt() const;

  private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

// The arrow keys as shipped, and ten best times of 9999.
extern const char* const ARROW_KEYS_SETUP;
extern const char* const SLOWEST_BEST_TIMES;
