// Scratch folders and files for tests that read stage files from disk.
#include "test_files.h"

#include <fstream>
#include <random>
#include <stdexcept>

TempDir::TempDir() {
    std::random_device seed;
    for (int attempt = 0; path_.empty(); ++attempt) {
        const auto candidate =
            std::filesystem::temp_directory_path() / ("pelmar-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
        } else if (attempt == 100) {
            throw std::runtime_error("cannot make a temporary folder");
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
    return (path_ / name).string();
}

WorkingDirGuard::WorkingDirGuard(const std::filesystem::path& dir)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
}

WorkingDirGuard::~WorkingDirGuard() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}
