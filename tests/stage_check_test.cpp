// Checking stage files: every problem the reader would pass over silently, reported
// at its line and column; stored moves judged by the rule; the title demo's loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "stage_boards.h"
#include "stage_check.h"
#include "stage_text.h"
#include "test_files.h"

namespace {

const std::vector<std::int32_t> eastThenNorth = run(DirEast, 5) + run(DirNorth, 5);

// Six lines of cells for the corridor along the bottom and right edges.
std::string corridorCells() {
    TestBoard b;
    b.paint(eastThenNorth);
    const std::string text = stageFileText(b.cells, {});
    return text.substr(0, text.rfind("0\n")); // drop the empty move list
}

class StageCheck : public ::testing::Test {
  protected:
    StageReport check(const std::string& content, bool demo = false) {
        return checkStageFile(dir.write("stage.stg", content).c_str(), demo, *a);
    }
    StageReport checkBoard(const TestBoard& b, const std::vector<std::int32_t>& moves,
                           bool demo = false) {
        return check(stageFileText(b.cells, moves), demo);
    }
    TempDir dir;
    std::unique_ptr<StageAnalysis> a = std::make_unique<StageAnalysis>();
};

// The one finding whose text contains `words`; fails the test unless there is one.
const Finding* findingWith(const StageReport& r, const std::string& words) {
    const Finding* found = nullptr;
    for (const Finding& f : r.findings) {
        if (f.text.find(words) != std::string::npos) {
            EXPECT_EQ(found, nullptr) << "two findings say: " << words;
            found = &f;
        }
    }
    EXPECT_NE(found, nullptr) << "no finding says: " << words;
    return found;
}

void expectPlace(const Finding* f, std::uint32_t line, std::uint32_t column) {
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->place.line, line) << f->text;
    EXPECT_EQ(f->place.column, column) << f->text;
}

TEST_F(StageCheck, ASoundStagePassesWithItsFigures) {
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    const StageReport r = checkBoard(b, eastThenNorth);
    ASSERT_TRUE(r.opened);
    EXPECT_TRUE(r.findings.empty());
    EXPECT_TRUE(passesCheck(r, true));
    EXPECT_TRUE(r.storedShortest);
    EXPECT_EQ(r.figures.shortest, 10u);
    EXPECT_EQ(r.figures.reachable, 11u);
}

TEST_F(StageCheck, StoredMovesMustBeLegalAndEndOnTheGoal) {
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));

    // The sixth move goes up from (5, 0) as it should, but the seventh goes left.
    std::vector<std::int32_t> wrong = eastThenNorth;
    wrong[6] = DirWest;
    StageReport r = checkBoard(b, wrong);
    EXPECT_FALSE(passesCheck(r, false));
    const Finding* f = findingWith(r, "move 7 (←) from (5, 1) is refused");
    expectPlace(f, 8, 13); // the moves' line: "4 4 4 4 4 1 3 ..."
    EXPECT_TRUE(f->failure);
    EXPECT_NE(f->text.find("on cell (4, 1), which shows 0"), std::string::npos) << f->text;

    wrong = eastThenNorth;
    wrong[5] = DirWest; // straight back after rolling right
    r = checkBoard(b, wrong);
    findingWith(r, "it reverses the roll before it");

    r = checkBoard(b, run(DirEast, 5) + run(DirNorth, 4));
    findingWith(r, "end on (5, 4), not on the goal");
    EXPECT_FALSE(r.storedSolves);
    // The figures then follow a shortest solution instead.
    EXPECT_EQ(r.measuredRoute, eastThenNorth);

    r = checkBoard(b, {});
    findingWith(r, "the stored move list is empty");

    TestBoard past = b;
    ASSERT_TRUE(past.paint(eastThenNorth + std::vector<std::int32_t>{DirWest}));
    r = checkBoard(past, eastThenNorth + std::vector<std::int32_t>{DirWest});
    expectPlace(findingWith(r, "reach the goal at move 10 and go on beyond it"), 8, 21);
    EXPECT_FALSE(passesCheck(r, false));
}

TEST_F(StageCheck, ALongerSolutionOnlyWarnsButFailsInStrictMode) {
    const std::vector<std::int32_t> longWay = {DirNorth, DirEast,  DirEast,  DirEast,
                                               DirEast,  DirNorth, DirWest,  DirNorth,
                                               DirEast,  DirNorth, DirNorth, DirEast};
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    ASSERT_TRUE(b.paint(longWay));
    const StageReport r = checkBoard(b, longWay);
    EXPECT_TRUE(r.storedSolves);
    EXPECT_FALSE(r.storedShortest);
    const Finding* f = findingWith(r, "the stored solution has 12 moves; a shortest one has 10");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->failure);
    EXPECT_TRUE(passesCheck(r, false));
    EXPECT_FALSE(passesCheck(r, true));
    EXPECT_EQ(r.measuredRoute, longWay);
}

TEST_F(StageCheck, AnUnsolvableStageFails) {
    std::string zeros;
    for (int i = 0; i < 36; ++i) {
        zeros += "0 ";
    }
    const StageReport r = check(zeros + "\n1 4\n");
    EXPECT_FALSE(passesCheck(r, false));
    findingWith(r, "cannot be solved");
}

TEST_F(StageCheck, ValuesTheReaderKeepsSilentlyAreReportedWhereTheyStand) {
    std::string cells = corridorCells();
    cells.replace(cells.find('\n') - 1, 1, "9");  // (0, 5) on line 1, column 11
    cells.replace(cells.find('\n') + 3, 1, "-1"); // (1, 1) on line 2, column 3
    const std::string moves = "10\n4 4 4 4 4 1 1 1 1 1 0x\n";
    const StageReport r = check(cells + moves);
    expectPlace(findingWith(r, "cell (0, 5) holds 9"), 1, 11);
    expectPlace(findingWith(r, "cell (1, 1) holds -1"), 2, 3);
    // "0x" with no digit after it is the number 0 and then the text "x".
    expectPlace(findingWith(r, "the number 0 after the last move is ignored"), 8, 21);
    EXPECT_TRUE(passesCheck(r, false)) << "neither cell is on the way";
    EXPECT_FALSE(passesCheck(r, true));

    const StageReport odd = check(corridorCells() + "12 4 4 4 4 4 0 1 1 1 07 1 1\n");
    expectPlace(findingWith(odd, "move 6 is 0, which names no roll"), 7, 14);
    expectPlace(findingWith(odd, "move 10 is 7, which names no roll"), 7, 22);
    EXPECT_TRUE(odd.storedSolves) << "the replay passes over codes that name no roll";

    // "08" is an octal 0 and then a decimal 8: two moves, neither a roll.
    const StageReport glued = check(corridorCells() + "12 4 4 4 4 4 08 1 1 1 1 1 99999999999\n");
    expectPlace(findingWith(glued, "runs on from the one before it"), 7, 15);
    expectPlace(findingWith(glued, "move 7 is 8, which names no roll"), 7, 15);
    expectPlace(findingWith(glued, "does not fit in 32 bits and reads as 2147483647"), 7, 27);
}

TEST_F(StageCheck, CountsBeyondTheMoveListAreReported) {
    std::string moves;
    for (int i = 0; i < 300; ++i) {
        moves += i < 10 ? std::to_string(eastThenNorth[static_cast<std::size_t>(i)]) + " " : "0 ";
    }
    StageReport r = check(corridorCells() + "300\n" + moves);
    expectPlace(findingWith(r, "the move count 300 is above 256"), 7, 1);
    findingWith(r, "the number 0 after the last move is ignored (the count says 300)");

    r = check(corridorCells() + "-1\n" + moves);
    expectPlace(findingWith(r, "the move count -1 is negative and reads as 4294967295"), 7, 1);
}

TEST_F(StageCheck, AShortFileFailsSinceTheGameWouldKeepOldValues) {
    StageReport r = check("6 6 6\n6 x 6");
    const Finding* f = findingWith(r, "text that is not a number stops the reading after 4 of 36");
    expectPlace(f, 2, 3);
    EXPECT_TRUE(f->failure);

    r = check(corridorCells());
    expectPlace(findingWith(r, "the file ends before the move count"), 7, 1);
    EXPECT_FALSE(passesCheck(r, false));

    r = check(corridorCells() + "10\n4 4 4\n");
    expectPlace(findingWith(r, "the file ends after 3 of 10 moves"), 9, 1);

    r = check("");
    findingWith(r, "the file ends after 0 of 36 cell values");
}

TEST_F(StageCheck, AFileThatCannotBeReadIsSaidSo) {
    EXPECT_FALSE(checkStageFile((dir.path() / "absent.stg").string().c_str(), false, *a).opened);
    const StageReport folder = checkStageFile(dir.path().string().c_str(), false, *a);
    EXPECT_FALSE(folder.opened);
    EXPECT_FALSE(passesCheck(folder, false));
}

TEST_F(StageCheck, TheDemoMustLoopLegallyAcrossItsSeam) {
    // Twice round the 3 x 3 square of the bottom-left corner brings the die back
    // lying as it was reset; the ring of cells needs the same faces both times.
    const std::vector<std::int32_t> ring =
        run(DirEast, 2) + run(DirNorth, 2) + run(DirWest, 2) + run(DirSouth, 2);
    ASSERT_EQ(orientationOf(dieAfter(ring)), 0) << "one round restores the die";
    TestBoard b;
    ASSERT_TRUE(b.paint(ring));
    StageReport r = checkBoard(b, ring, true);
    EXPECT_TRUE(passesCheck(r, true)) << (r.findings.empty() ? "" : r.findings[0].text);
    EXPECT_EQ(r.loopCells, 8u);

    // As a stage the same file fails: the loop never reaches the goal.
    EXPECT_FALSE(passesCheck(checkBoard(b, ring, false), false));

    // Half the ring ends elsewhere, so each pass would start somewhere new.
    const std::vector<std::int32_t> half = run(DirEast, 2) + run(DirNorth, 2);
    r = checkBoard(b, half, true);
    findingWith(r, "the demo ends on (2, 2)");
    EXPECT_FALSE(passesCheck(r, false));

    // This loop comes home from the right and left to the right: every pass is legal
    // on its own, but each pass after the first would start by rolling straight back.
    const std::vector<std::int32_t> seam = {DirEast,  DirNorth, DirNorth, DirEast, DirEast,
                                            DirSouth, DirSouth, DirWest,  DirWest, DirWest};
    ASSERT_EQ(orientationOf(dieAfter(seam)), 0);
    TestBoard s;
    ASSERT_TRUE(s.paint(seam));
    r = checkBoard(s, seam, true);
    expectPlace(findingWith(r, "on the second pass, move 1 (→) from (0, 0) is refused"), 8, 1);
    EXPECT_FALSE(passesCheck(r, false));

    r = checkBoard(s, {}, true);
    EXPECT_FALSE(findingWith(r, "the demo has no moves")->failure);
    EXPECT_TRUE(isDemoFileName("some/folder/stage0.stg"));
    EXPECT_FALSE(isDemoFileName("stage00.stg"));
}

} // namespace
