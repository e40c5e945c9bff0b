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

class StageCheck : public ::testing::Test {
  protected:
    StageReport check(const std::string& content, bool demo = false) {
        return checkStageFile(dir.write("stage.stg", content).c_str(), demo, *a);
    }
    TempDir dir;
    std::unique_ptr<StageAnalysis> a = std::make_unique<StageAnalysis>();
};

TEST_F(StageCheck, EachFindingIsReportedOnceWithItsSeverityAndPlace) {
    const TestBoard edges{eastThenNorth};
    std::string cells = corridor("");
    cells.replace(cells.find('\n') - 1, 1, "9");  // (0, 5) on line 1, column 11
    cells.replace(cells.find('\n') + 3, 1, "-1"); // (1, 1) on line 2, column 3
    // "0x" with no digit after it is the number 0 and then the text "x".
    const std::string oddCells = cells + "10\n4 4 4 4 4 1 1 1 1 1 0x\n";
    // "08" is an octal 0 and then a decimal 8: two moves, neither a roll.
    const std::string oddMoves = corridor("13 4 4 4 4 4 07 1 1 08 1 1 1 99999999999\n");
    std::string moves = "4 4 4 4 4 1 1 1 1 1";
    for (int i = 10; i < 300; ++i) {
        moves += " 0";
    }
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
        bool demo;
        const char* words;
        bool fails;
        std::uint32_t line, column; // 0, 0: no place in the file
    } cases[] = {
        // The moves' line is "4 4 4 4 4 1 3 ...".
        {stage(edges, run(DirEast, 5) + Route{DirNorth, DirWest}), false,
         "move 7 (←) from (5, 1) is refused: it would put 6 on cell (4, 1), which shows 0", Fails,
         8, 13},
        {stage(edges, run(DirEast, 5) + Route{DirWest}), false,
         "move 6 (←) from (5, 0) is refused: it reverses the roll before it", Fails, 8, 11},
        {stage(edges, {DirWest}), false,
         "move 1 (←) from (0, 0) is refused: it rolls off the board", Fails, 8, 1},
        {stage(edges, run(DirEast, 5) + run(DirNorth, 4)), false,
         "the stored moves end on (5, 4), not on the goal (5, 5)", Fails, 0, 0},
        {stage(edges, {}), false, "the stored move list is empty", Fails, 0, 0},
        {stage({}, {DirEast}), false, "the stage cannot be solved", Fails, 0, 0},
        {stage({eastThenNorth + Route{DirWest}}, eastThenNorth + Route{DirWest}), false,
         "the stored moves reach the goal at move 10 and go on beyond it", Fails, 8, 21},
        {oddCells, false, "cell (0, 5) holds 9", Warns, 1, 11},
        {oddCells, false, "cell (1, 1) holds -1", Warns, 2, 3},
        {oddCells, false, "the number 0 after the last move is ignored (the count says 10)", Warns,
         8, 21},
        {oddMoves, false, "move 6 is 7, which names no roll", Warns, 7, 14},
        {oddMoves, false, "runs on from the one before it", Warns, 7, 22},
        {oddMoves, false, "move 10 is 8, which names no roll", Warns, 7, 22},
        {oddMoves, false, "does not fit in 32 bits and reads as 2147483647", Warns, 7, 30},
        {corridor("300\n" + moves), false,
         "the move count 300 is above 256; only the first 256 moves are read", Warns, 7, 1},
        {corridor("300\n" + moves), false,
         "the number 0 after the last move is ignored (the count says 300)", Warns, 8, 513},
        {corridor("-1\n" + moves), false, "the move count -1 is negative and reads as 4294967295",
         Warns, 7, 1},
        // Short files fail: the game would keep the previous stage's values.
        {"6 6 6\n6 x 6", false,
         "text that is not a number stops the reading after 4 of 36 cell values", Fails, 2, 3},
        {corridor(""), false, "the file ends before the move count", Fails, 7, 1},
        {corridor("10\n4 4 4\n"), false, "the file ends after 3 of 10 moves", Fails, 9, 1},
        {corridor("300\n4 4\n"), false, "the file ends after 2 of 256 moves", Fails, 9, 1},
        {"", false, "the file ends after 0 of 36 cell values", Fails, 1, 1},
        {stage({ring}, run(DirEast, 2) + run(DirNorth, 2)), true, "the demo ends on (2, 2)", Fails,
         0, 0},
        {stage({ring}, {}), true, "the demo has no moves", Warns, 0, 0},
        {stage({turned}, turned), true, "the demo ends on (0, 0) with 4 on top and 6 to the north",
         Fails, 0, 0},
        {stage({seam}, seam), true, "on the second pass, move 1 (→) from (0, 0) is refused", Fails,
         8, 1},
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
    }

    EXPECT_TRUE(check(oddMoves).storedSolves) << "the replay passes over codes that name no roll";
    const StageReport loop = check(stage({ring}, ring), true);
    EXPECT_TRUE(passesCheck(loop, true) && loop.loopCells == 8u);
    EXPECT_FALSE(passesCheck(check(stage({ring}, ring)), false)) << "as a stage it reaches no goal";
    EXPECT_TRUE(isDemoFileName("some/folder/stage0.stg") && !isDemoFileName("stage00.stg"));
    EXPECT_FALSE(checkStageFile((dir.path() / "absent.stg").string().c_str(), false, *a).opened);
    const StageReport folder = checkStageFile(dir.path().string().c_str(), false, *a);
    EXPECT_FALSE(folder.opened || passesCheck(folder, false));
}

TEST_F(StageCheck, FiguresFollowTheStoredSolutionOrElseAShortestOne) {
    const StageReport ok = check(stage({eastThenNorth}, eastThenNorth));
    EXPECT_TRUE(ok.findings.empty() && passesCheck(ok, true) && ok.storedShortest);
    const StageReport off = check(stage({eastThenNorth}, run(DirEast, 5) + run(DirNorth, 4)));
    EXPECT_EQ(off.measuredRoute, eastThenNorth);
    // A longer way round is a solution still, but not a shortest one.
    const Route longWay = Route{DirNorth} + run(DirEast, 4) +
                          Route{DirNorth, DirWest, DirNorth, DirEast, DirNorth, DirNorth, DirEast};
    const StageReport r = check(stage({eastThenNorth, longWay}, longWay));
    EXPECT_EQ(r.findings.size(), 1u);
    EXPECT_EQ(r.findings.at(0).text, "the stored solution has 12 moves; a shortest one has 10");
    EXPECT_TRUE(passesCheck(r, false) && r.storedSolves && !passesCheck(r, true));
    EXPECT_EQ(r.measuredRoute, longWay);
}

} // namespace
