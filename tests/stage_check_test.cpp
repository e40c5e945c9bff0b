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

class StageCheck : public ::testing::Test {
  protected:
    StageReport check(const std::string& content, bool demo = false) {
        return checkStageFile(dir.write("stage.stg", content).c_str(), demo, *a);
    }
    StageReport check(const TestBoard& b, const Route& moves, bool demo = false) {
        return check(stageFileText(b.cells, moves), demo);
    }
    // Six lines of cells for the corridor along the bottom and right edges.
    static std::string corridorCells() {
        TestBoard b;
        b.paint(eastThenNorth);
        const std::string text = stageFileText(b.cells, {});
        return text.substr(0, text.rfind("0\n")); // without the empty move list
    }
    TempDir dir;
    std::unique_ptr<StageAnalysis> a = std::make_unique<StageAnalysis>();
};

// Expects exactly one finding whose text holds `words`, with that severity and place
// (line 0: no place in the file).
void expectFinding(const StageReport& r, const std::string& words, bool failure,
                   std::uint32_t line = 0, std::uint32_t column = 0) {
    int found = 0;
    for (const Finding& f : r.findings) {
        if (f.text.find(words) != std::string::npos) {
            ++found;
            EXPECT_EQ(std::make_tuple(f.failure, f.place.line, f.place.column),
                      std::make_tuple(failure, line, column))
                << f.text;
        }
    }
    EXPECT_EQ(found, 1) << words;
}

TEST_F(StageCheck, StoredMovesMustBeLegalEndOnTheGoalAndBeAShortestSolution) {
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    StageReport r = check(b, eastThenNorth);
    EXPECT_TRUE(r.findings.empty() && passesCheck(r, true) && r.storedShortest);

    // The moves' line is "4 4 4 4 4 1 3 ...": left from (5, 1), then left after right.
    expectFinding(check(b, run(DirEast, 5) + Route{DirNorth, DirWest}),
                  "move 7 (←) from (5, 1) is refused: it would put 6 on cell (4, 1), which shows 0",
                  Fails, 8, 13);
    expectFinding(check(b, run(DirEast, 5) + Route{DirWest}),
                  "move 6 (←) from (5, 0) is refused: it reverses the roll before it", Fails, 8,
                  11);
    expectFinding(check(b, {DirWest}), "move 1 (←) from (0, 0) is refused: it rolls off the board",
                  Fails, 8, 1);
    r = check(b, run(DirEast, 5) + run(DirNorth, 4));
    expectFinding(r, "the stored moves end on (5, 4), not on the goal (5, 5)", Fails);
    EXPECT_EQ(r.measuredRoute, eastThenNorth) << "figures follow a shortest solution instead";
    expectFinding(check(b, {}), "the stored move list is empty", Fails);
    expectFinding(check(TestBoard{}, {DirEast}), "the stage cannot be solved", Fails);

    // A longer way round is a solution still, but not a shortest one.
    const Route longWay = Route{DirNorth} + run(DirEast, 4) +
                          Route{DirNorth, DirWest, DirNorth, DirEast, DirNorth, DirNorth, DirEast};
    ASSERT_TRUE(b.paint(longWay));
    r = check(b, longWay);
    expectFinding(r, "the stored solution has 12 moves; a shortest one has 10", Warns);
    EXPECT_TRUE(passesCheck(r, false) && r.storedSolves && !passesCheck(r, true));
    EXPECT_EQ(r.measuredRoute, longWay);
    ASSERT_TRUE(b.paint(eastThenNorth + Route{DirWest}));
    expectFinding(check(b, eastThenNorth + Route{DirWest}),
                  "the stored moves reach the goal at move 10 and go on beyond it", Fails, 8, 21);
}

TEST_F(StageCheck, ValuesTheReaderKeepsSilentlyAreReportedWhereTheyStand) {
    std::string cells = corridorCells();
    cells.replace(cells.find('\n') - 1, 1, "9");  // (0, 5) on line 1, column 11
    cells.replace(cells.find('\n') + 3, 1, "-1"); // (1, 1) on line 2, column 3
    StageReport r = check(cells + "10\n4 4 4 4 4 1 1 1 1 1 0x\n");
    expectFinding(r, "cell (0, 5) holds 9", Warns, 1, 11);
    expectFinding(r, "cell (1, 1) holds -1", Warns, 2, 3);
    // "0x" with no digit after it names no number.
    expectFinding(r, "text after the last move is ignored", Warns, 8, 21);
    // A lone sign fails its one value: the game would keep the last stage's move there.
    expectFinding(check(corridorCells() + "10\n4 4 4 4 4 1 1 1 1 - 1\n"),
                  "a sign or 0x with no digit after it names no value", Fails, 8, 19);
    EXPECT_TRUE(passesCheck(r, false)) << "neither cell is on the way";

    // "08" is an octal 0 and then a decimal 8: two moves, neither a roll.
    r = check(corridorCells() + "13 4 4 4 4 4 07 1 1 08 1 1 1 99999999999\n");
    expectFinding(r, "move 6 is 7, which names no roll", Warns, 7, 14);
    expectFinding(r, "runs on from the one before it", Warns, 7, 22);
    expectFinding(r, "move 10 is 8, which names no roll", Warns, 7, 22);
    expectFinding(r, "does not fit in 32 bits and reads as 2147483647", Warns, 7, 30);
    EXPECT_TRUE(r.storedSolves) << "the replay passes over codes that name no roll";

    std::string moves = "4 4 4 4 4 1 1 1 1 1";
    for (int i = 10; i < 300; ++i) {
        moves += " 0";
    }
    r = check(corridorCells() + "300\n" + moves);
    expectFinding(r, "the move count 300 is above 256; only the first 256 moves are read", Warns, 7,
                  1);
    expectFinding(r, "the number 0 after the last move is ignored (the count says 300)", Warns, 8,
                  513);
    r = check(corridorCells() + "-1\n" + moves);
    expectFinding(r, "the move count -1 is negative and reads as 4294967295", Warns, 7, 1);
}

TEST_F(StageCheck, AShortOrUnreadableFileFailsSinceTheGameWouldKeepOldValues) {
    expectFinding(check("6 6 6\n6 x 6"),
                  "text that is not a number stops the reading after 4 of 36 cell values", Fails, 2,
                  3);
    expectFinding(check(corridorCells()), "the file ends before the move count", Fails, 7, 1);
    expectFinding(check(corridorCells() + "10\n4 4 4\n"), "the file ends after 3 of 10 moves",
                  Fails, 9, 1);
    expectFinding(check(corridorCells() + "300\n4 4\n"), "the file ends after 2 of 256 moves",
                  Fails, 9, 1);
    expectFinding(check(""), "the file ends after 0 of 36 cell values", Fails, 1, 1);
    EXPECT_FALSE(checkStageFile((dir.path() / "absent.stg").string().c_str(), false, *a).opened);
    const StageReport folder = checkStageFile(dir.path().string().c_str(), false, *a);
    EXPECT_FALSE(folder.opened || passesCheck(folder, false));
}

TEST_F(StageCheck, TheDemoMustComeHomeAsResetAndLoopLegallyAcrossItsSeam) {
    // Round the 3 x 3 square in the bottom-left corner, back lying as it was reset.
    const Route ring = run(DirEast, 2) + run(DirNorth, 2) + run(DirWest, 2) + run(DirSouth, 2);
    TestBoard b;
    ASSERT_TRUE(b.paint(ring));
    StageReport r = check(b, ring, true);
    EXPECT_TRUE(passesCheck(r, true)) << (r.findings.empty() ? "" : r.findings[0].text);
    EXPECT_EQ(r.loopCells, 8u);
    EXPECT_FALSE(passesCheck(check(b, ring, false), false)) << "as a stage it reaches no goal";
    expectFinding(check(b, run(DirEast, 2) + run(DirNorth, 2), true), "the demo ends on (2, 2)",
                  Fails);
    expectFinding(check(b, {}, true), "the demo has no moves", Warns);

    // Home again, but lying another way: each pass would start differently.
    const Route turned = run(DirEast, 3) + Route{DirNorth} + run(DirWest, 3) + Route{DirSouth};
    TestBoard t;
    ASSERT_TRUE(t.paint(turned));
    expectFinding(check(t, turned, true),
                  "the demo ends on (0, 0) with 4 on top and 6 to the north", Fails);

    // This loop comes home from the right and leaves to the right: every pass is legal
    // on its own, but each after the first would start by rolling straight back.
    const Route seam = {DirEast,  DirNorth, DirNorth, DirEast, DirEast,
                        DirSouth, DirSouth, DirWest,  DirWest, DirWest};
    TestBoard s;
    ASSERT_TRUE(s.paint(seam));
    expectFinding(check(s, seam, true), "on the second pass, move 1 (→) from (0, 0) is refused",
                  Fails, 8, 1);
    EXPECT_TRUE(isDemoFileName("some/folder/stage0.stg"));
    EXPECT_FALSE(isDemoFileName("stage00.stg"));
}

} // namespace
