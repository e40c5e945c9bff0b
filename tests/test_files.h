// Scratch folders and files for tests that read stage files from disk.
#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `content` to `name` inside the folder and returns the file's full path.
    std::string write(const std::string& name, const std::string& content) const;

  private:
    std::filesystem::path path_;
};

// Makes `dir` the working directory for the guard's lifetime.
class WorkingDirGuard {
  public:
    explicit WorkingDirGuard(const std::filesystem::path& dir);
    ~WorkingDirGuard();
    WorkingDirGuard(const WorkingDirGuard&) = delete;
    WorkingDirGuard& operator=(const WorkingDirGuard&) = delete;

  private:
    std::filesystem::path previous_;
};
