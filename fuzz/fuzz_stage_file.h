// What both fuzz targets share: each input written as a stage file in a folder of the
// process's own, and a check that stops the run with a message when something that
// must hold does not.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Stops the run, which libFuzzer reports as a finding, when `holds` is false.
inline void fuzzCheck(bool holds, const char* what, int line) {
    if (!holds) {
        std::fprintf(stderr, "line %d: does not hold: %s\n", line, what);
        std::abort();
    }
}
#define FUZZ_CHECK(condition) fuzzCheck((condition), #condition, __LINE__)

// A folder of this process's own, removed at exit.
inline const std::string& fuzzFolder() {
    static std::string folder;
    if (folder.empty()) {
        folder = (std::filesystem::temp_directory_path() / "pelmar-fuzz.XXXXXX").string();
        FUZZ_CHECK(mkdtemp(folder.data()) != nullptr);
        std::atexit([] { std::filesystem::remove_all(folder); });
    }
    return folder;
}

// Writes the input as the file `name` in the fuzz folder; returns the file's path.
inline std::string writeInput(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzFolder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr && std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
    return path;
}
