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

// While it lives, the input is the file `name` in the fuzz folder, which is the working
// folder; only then, since libFuzzer keeps its corpus and findings relative to its own.
struct StageInput {
    const std::filesystem::path previous = std::filesystem::current_path();
    StageInput(const char* name, const std::uint8_t* data, std::size_t size) {
        std::filesystem::current_path(fuzzFolder());
        std::FILE* file = std::fopen(name, "wb");
        FUZZ_CHECK(file != nullptr && std::fwrite(data, 1, size, file) == size);
        FUZZ_CHECK(std::fclose(file) == 0);
    }
    ~StageInput() { std::filesystem::current_path(previous); }
};
