// The stage table, the current stage's board and stored moves, the turning
// camera's values, and the operations that fill them from stage files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "number_scanner.h"

constexpr int BoardSize = 6;
constexpr std::uint32_t MaxMoves = 256;
constexpr std::uint32_t StageCount = 21; // stage 0 is the title demo, 1 to 20 are played
constexpr std::uint32_t LastStage = 20;

// How much of a stage file is read. Every stage the format can express fits in a few
// kilobytes: only 293 values are ever read (36 cells, the count, at most 256 moves),
// and the longest text of a 32-bit value, "-020000000000" in octal, has 13 characters,
// so all of them with a line end each take 4,102 bytes. A megabyte leaves room 250
// times over for whatever layout, blank lines or padding zeros a person or a tool
// adds, while a file of blanks or digits without end costs the game only a few
// milliseconds, within one frame, before its reading stops.
constexpr std::size_t MaxStageFileBytes = std::size_t{1} << 20;

// The eye-space depth at which the board lies in the fixed view; the turning
// camera starts from it and the screen text is drawn at it. Single precision of
// -(10 + sqrt 2).
constexpr float BoardViewDepth = -11.414213f;

// "stage0.stg" to "stage20.stg", each in a zero-padded field of 15 bytes.
extern const char stageFileNames[StageCount][15];

extern std::uint32_t stageNumber;                // 0 on the title, then 1 to 20
extern std::int32_t Board[BoardSize][BoardSize]; // Board[x][y]; 1..6 enterable, else not
extern std::uint32_t moveCount;                  // never above MaxMoves
extern std::int32_t moves[MaxMoves];             // direction codes, in playing order

// The turning view's state; every stage load puts it back to its start.
extern float cameraSpin;     // degrees
extern float cameraTilt;     // degrees
extern float cameraDistance; // eye-space units

// Where an installed game keeps its stage files; tried when a stage file is not in
// the working directory. Null: the working directory only.
extern const char* stageDataDir;

// Where a stage file's values go. The game reads into its globals (gameStageSlots),
// tools into their own arrays.
struct StageSlots {
    std::int32_t (&board)[BoardSize][BoardSize];
    std::uint32_t& moveCount;
    std::int32_t (&moves)[MaxMoves];
};
StageSlots gameStageSlots();

// What each value read from a stage file was used for, for tools that report on it.
enum class StageField {
    Cell,     // index = x * 6 + y
    Count,    // the move count as written (the stored count is capped at MaxMoves)
    Move,     // index into the move list
    Stop,     // the reading ended early, at end of file or at text that is no number
    Trailing, // the first number or text after the last value read
};

struct StageToken {
    StageField field;
    std::uint32_t index;
    ScannedNumber scan;
};

// Reads a stage from `scanner` into `slots`: 36 cell values a column at a time from
// the bottom, a move count, and that many moves. A value that cannot be read (a lone
// sign, a bare 0x) keeps its old value and the reading goes on; text that is no number
// ends the reading. A count above MaxMoves (a negative count reads as a huge one)
// reads the first MaxMoves moves. With a trace, every value read is listed, followed
// by a Stop or Trailing entry when there is one.
void readStage(NumberScanner& scanner, const StageSlots& slots, std::vector<StageToken>* trace);

// Opens and reads the stage file at `path`, up to MaxStageFileBytes of it. False when
// it cannot be opened or is no regular file (a folder, FIFO, socket or device, which
// could block or never end); then nothing is changed, and `whyNot` says why.
bool readStageFile(const char* path, const StageSlots& slots,
                   std::vector<StageToken>* trace = nullptr, std::string* whyNot = nullptr);

// Reads a stage file named by the player into the game's stage, camera untouched.
bool loadStageFile(const char* path);

// Reads the file of the current stageNumber (keeping the old stage when it cannot
// be opened) and resets the camera.
void loadStage();
