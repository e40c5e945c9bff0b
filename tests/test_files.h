// Scratch folders and files for tests that read stage files from disk.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        // create_directory throws when no folder can be made, and is false for a name taken.
        std::random_device seed;
        do {
            path_ =
                std::filesystem::temp_directory_path() / ("pelmar-test-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    // Writes `content` to `name` inside the folder and returns the file's full path.
    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
        return (path_ / name).string();
    }

  private:
    std::filesystem::path path_;
};

// Makes `dir` the working directory for the guard's lifetime.
struct WorkingDirGuard {
    explicit WorkingDirGuard(const std::filesystem::path& dir) {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirGuard() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    const std::filesystem::path previous_ = std::filesystem::current_path();
};
