// Checking stage files: every problem the reader would pass over silently, reported
// at its line and column; stored moves judged by the rule; the title demo's loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "stage_boards.h"
#include "stage_check.h"
#include "stage_text.h"
#include "test_files.h"

namespace {

constexpr bool Fails = true;
constexpr bool Warns = false;

std::string stage(const TestBoard& b, const Route& moves) {
    return stageFileText(b.cells, moves);
}
// Six lines of cells for the corridor along the bottom and right edges, then `rest`.
std::string corridor(const std::string& rest) {
    const std::string text = stage({eastThenNorth}, {});
    return text.substr(0, text.rfind("0\n")) + rest;
}

TEST(StageCheck, EachFindingIsReportedOnceWithItsSeverityAndPlace) {
    const TempDir dir;
    auto a = std::make_unique<StageAnalysis>();
    const auto check = [&](const std::string& content, bool demo = false) {
        return checkStageFile(dir.write("stage.stg", content).c_str(), demo, *a);
    };
    const TestBoard edges{eastThenNorth};
    std::string cells = corridor("");
    cells.replace(cells.find('\n') - 1, 1, "9"); // (0, 5) on line 1, column 11
    // "0x" with no digit after it names no number.
    const std::string oddCells = cells + "10\n4 4 4 4 4 1 1 1 1 1 0x\n";
    // "08" is an octal 0 and then a decimal 8: two moves, neither a roll.
    const std::string oddMoves = corridor("13 4 4 4 4 4 07 1 1 08 1 1 1 99999999999\n");
    std::string moves = "4 4 4 4 4 1 1 1 1 1";
    for (int i = 10; i < 300; ++i) {
        moves += " 0";
    }
    const std::string many = corridor("300\n" + moves);
    const Route beyond = eastThenNorth + Route{DirWest};
    // A longer way round is a solution still, but not a shortest one.
    const Route longWay = Route{DirNorth} + run(DirEast, 4) +
                          Route{DirNorth, DirWest, DirNorth, DirEast, DirNorth, DirNorth, DirEast};
    // Round the 3 x 3 square in the bottom-left corner, back lying as it was reset.
    const Route ring = run(DirEast, 2) + run(DirNorth, 2) + run(DirWest, 2) + run(DirSouth, 2);
    // Home again, but lying another way: each pass would start differently.
    const Route turned = run(DirEast, 3) + Route{DirNorth} + run(DirWest, 3) + Route{DirSouth};
    // This loop comes home from the right and leaves to the right: every pass is legal
    // on its own, but each after the first would start by rolling straight back.
    const Route seam = {DirEast,  DirNorth, DirNorth, DirEast, DirEast,
                        DirSouth, DirSouth, DirWest,  DirWest, DirWest};
    const struct {
        std::string content;
        const char* words;
        bool fails;
        std::uint32_t line = 0, column = 0; // 0, 0: no place in the file
        bool demo = false;
    } cases[] = {
        // The moves' line is "4 4 4 4 4 1 3 ...".
        {stage(edges, run(DirEast, 5) + Route{DirNorth, DirWest}),
         "move 7 (←) from (5, 1) is refused: it would put 6 on cell (4, 1), which shows 0", Fails,
         8, 13},
        {stage(edges, run(DirEast, 5) + Route{DirWest}), "it reverses the roll before it", Fails, 8,
         11},
        {stage(edges, {DirWest}), "(0, 0) is refused: it rolls off the board", Fails, 8, 1},
        {stage(edges, run(DirEast, 5) + run(DirNorth, 4)), "end on (5, 4), not on the goal", Fails},
        {stage(edges, {}), "the stored move list is empty", Fails},
        {stage({}, {DirEast}), "the stage cannot be solved", Fails},
        {stage({eastThenNorth, longWay}, longWay), "12 moves; a shortest one has 10", Warns},
        {stage({beyond}, beyond), "reach the goal at move 10 and go on beyond it", Fails, 8, 21},
        {oddCells, "cell (0, 5) holds 9", Warns, 1, 11},
        {oddCells, "text after the last move is ignored", Warns, 8, 21},
        // A lone sign fails its one value: the game would keep the last stage's move there.
        {corridor("10\n4 4 4 4 4 1 1 1 1 - 1\n"),
         "a sign or 0x with no digit after it names no value", Fails, 8, 19},
        {oddMoves, "move 6 is 7, which names no roll", Warns, 7, 14},
        {oddMoves, "runs on from the one before it", Warns, 7, 22},
        {oddMoves, "does not fit in 32 bits and reads as 2147483647", Warns, 7, 30},
        {many, "count 300 is above 256; only the first 256 moves are read", Warns, 7, 1},
        {many, "0 after the last move is ignored (the count says 300)", Warns, 8, 513},
        {corridor("-1\n" + moves), "count -1 is negative and reads as 4294967295", Warns, 7, 1},
        // Short files fail: the game would keep the previous stage's values.
        {"6 6 6\n6 x 6", "not a number stops the reading after 4 of 36 cell values", Fails, 2, 3},
        {corridor(""), "the file ends before the move count", Fails, 7, 1},
        {corridor("10\n4 4 4\n"), "the file ends after 3 of 10 moves", Fails, 9, 1},
        {corridor("300\n4 4\n"), "the file ends after 2 of 256 moves", Fails, 9, 1},
        {"", "the file ends after 0 of 36 cell values", Fails, 1, 1},
        {stage({ring}, run(DirEast, 2) + run(DirNorth, 2)), "ends on (2, 2)", Fails, 0, 0, true},
        {stage({ring}, {}), "the demo has no moves", Warns, 0, 0, true},
        {stage({turned}, turned), "with 4 on top and 6 to the north", Fails, 0, 0, true},
        {stage({seam}, seam), "second pass, move 1 (→) from (0, 0) is refused", Fails, 8, 1, true},
    };
    for (const auto& c : cases) {
        const StageReport r = check(c.content, c.demo);
        int found = 0;
        for (const Finding& f : r.findings) {
            if (f.text.find(c.words) != std::string::npos) {
                ++found;
                EXPECT_EQ(std::make_tuple(f.failure, f.place.line, f.place.column),
                          std::make_tuple(c.fails, c.line, c.column))
                    << f.text;
            }
        }
        EXPECT_EQ(found, 1) << c.words;
        EXPECT_EQ(passesCheck(r, false), !c.fails) << c.words;
        EXPECT_FALSE(passesCheck(r, true)) << c.words;
    }

    // Figures follow the stored moves where they solve the stage, else a shortest solution.
    EXPECT_EQ(check(stage({eastThenNorth, longWay}, longWay)).measuredRoute, longWay);
    const Route off = run(DirEast, 5) + run(DirNorth, 4);
    EXPECT_EQ(check(stage({eastThenNorth}, off)).measuredRoute, eastThenNorth);
}

} // namespace
