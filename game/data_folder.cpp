// Finding the data folder from the program's own path, and that path on each system.
#include "data_folder.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#include <cstring>
#endif

// From the program's folder to the data folder of an install, as the build's install
// folders lay them out.
#ifndef PELMAR_DATA_RELATIVE
#define PELMAR_DATA_RELATIVE "../share/pelmar"
#endif

namespace fs = std::filesystem;

#if defined(_WIN32)

// The narrow (ANSI) path, the one the stage files are opened with.
std::string executablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return "";
        }
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) { // the longest path Windows has
            return "";
        }
        path.resize(path.size() * 2);
    }
}

#elif defined(__APPLE__)

std::string executablePath() {
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::string path(size, '\0');
    if (_NSGetExecutablePath(path.data(), &size) != 0) {
        return "";
    }
    path.resize(std::strlen(path.c_str()));
    std::error_code failed;
    const fs::path real = fs::canonical(path, failed);
    return failed ? path : real.string();
}

#else

std::string executablePath() {
    std::error_code failed;
    const fs::path self = fs::read_symlink("/proc/self/exe", failed);
    return failed ? "" : self.string();
}

#endif

namespace {

bool isFolder(const fs::path& path) {
    std::error_code failed;
    return !path.empty() && fs::is_directory(path, failed);
}

} // namespace

std::string findDataFolder(const char* chosen, const std::string& program) {
    // A folder named by the player that is not there counts as none named.
    if (chosen != nullptr && isFolder(chosen)) {
        return chosen;
    }
    if (program.empty()) {
        return "";
    }
    const fs::path folder = fs::path(program).parent_path();
    for (const fs::path& data : {folder / PELMAR_DATA_RELATIVE, folder / "share" / "pelmar"}) {
        if (isFolder(data)) {
            return data.lexically_normal().string();
        }
    }
    return "";
}
