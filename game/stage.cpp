// Stage files: the name table, the reader shared by the game and its tools, and
// loading a stage into the game's globals.
#include "stage.h"

#include <cstdio>

#include "regular_file.h"

const char stageFileNames[StageCount][15] = {
    "stage0.stg",  "stage1.stg",  "stage2.stg",  "stage3.stg",  "stage4.stg",  "stage5.stg",
    "stage6.stg",  "stage7.stg",  "stage8.stg",  "stage9.stg",  "stage10.stg", "stage11.stg",
    "stage12.stg", "stage13.stg", "stage14.stg", "stage15.stg", "stage16.stg", "stage17.stg",
    "stage18.stg", "stage19.stg", "stage20.stg",
};

std::uint32_t stageNumber = 0;
std::int32_t Board[BoardSize][BoardSize] = {};
std::uint32_t moveCount = 0;
std::int32_t moves[MaxMoves] = {};

float cameraSpin = 0.0f;
float cameraTilt = 0.0f;
float cameraDistance = BoardViewDepth;

const char* stageDataDir = nullptr;

StageSlots gameStageSlots() {
    return StageSlots{Board, moveCount, moves};
}

namespace {

// Reads one value into `slot`; false (slot untouched) when the reading has ended. A
// value that fails (a lone sign, a bare 0x) leaves its slot as it was, and the reading
// goes on.
bool readValue(NumberScanner& scanner, std::int32_t& slot, StageField field, std::uint32_t index,
               std::vector<StageToken>* trace) {
    const ScannedNumber scan = scanner.next();
    const bool ended = scan.result == ScanResult::End || scan.result == ScanResult::NotANumber;
    if (trace != nullptr) {
        trace->push_back({ended ? StageField::Stop : field, index, scan});
    }
    if (scan.result == ScanResult::Number) {
        slot = scan.value;
    }
    return !ended;
}

} // namespace

void readStage(NumberScanner& scanner, const StageSlots& slots, std::vector<StageToken>* trace) {
    for (std::uint32_t i = 0; i < BoardSize * BoardSize; ++i) {
        if (!readValue(scanner, slots.board[i / BoardSize][i % BoardSize], StageField::Cell, i,
                       trace)) {
            return;
        }
    }

    // A count that fails keeps the old one. The count is unsigned: a negative one is a
    // huge count, and only the first MaxMoves moves fit.
    auto count = static_cast<std::int32_t>(slots.moveCount);
    if (!readValue(scanner, count, StageField::Count, 0, trace)) {
        return;
    }
    const std::uint32_t wanted = static_cast<std::uint32_t>(count);
    slots.moveCount = wanted < MaxMoves ? wanted : MaxMoves;

    for (std::uint32_t i = 0; i < slots.moveCount; ++i) {
        if (!readValue(scanner, slots.moves[i], StageField::Move, i, trace)) {
            return;
        }
    }

    if (trace != nullptr) {
        const ScannedNumber rest = scanner.next();
        if (rest.result != ScanResult::End) {
            trace->push_back({StageField::Trailing, 0, rest});
        }
    }
}

bool readStageFile(const char* path, const StageSlots& slots, std::vector<StageToken>* trace,
                   std::string* whyNot) {
    const OpenedFile opened = openRegularFile(path);
    if (opened.file == nullptr) {
        if (whyNot != nullptr) {
            *whyNot = openFailureText(opened);
        }
        return false;
    }
    NumberScanner scanner(opened.file, MaxStageFileBytes);
    readStage(scanner, slots, trace);
    std::fclose(opened.file);
    return true;
}

bool loadStageFile(const char* path) {
    return readStageFile(path, gameStageSlots());
}

void loadStage() {
    if (stageNumber < StageCount) {
        const char* name = stageFileNames[stageNumber];
        if (!loadStageFile(name) && stageDataDir != nullptr) {
            char installed[4096];
            const int n = std::snprintf(installed, sizeof installed, "%s/%s", stageDataDir, name);
            if (n > 0 && static_cast<std::size_t>(n) < sizeof installed) {
                loadStageFile(installed);
            }
        }
    }
    cameraSpin = 0.0f;
    cameraTilt = 0.0f;
    cameraDistance = BoardViewDepth;
}
