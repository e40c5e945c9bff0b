// The stage tool: the solver and the figures on boards whose answers follow from how
// they were drawn (routes painted on a board of holes); the check's findings at their
// places; generated stages and demos that prove themselves; and the shipped stages,
// which rise from a gentle first stage to deep traps, with their table in
// stages/README.md as the tool measures it now.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "stage_check.h"
#include "stage_generator.h"
#include "stage_text.h"
#include "test_files.h"

namespace {

using Route = std::vector<std::int32_t>;

// `dir` `n` times: routes are written as runs joined with +.
Route run(std::int32_t dir, int n) {
    return Route(static_cast<std::size_t>(n), dir);
}
Route operator+(Route a, const Route& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const Route eastThenNorth = run(DirEast, 5) + run(DirNorth, 5); // along the edges

// A board of holes with the routes painted on it, each cell showing the face that the
// reset die puts on it along them (a later route over an earlier one's cell wins).
struct TestBoard {
    std::int32_t cells[BoardSize][BoardSize] = {};
    bool painted = true; // every route stayed on the board, one face a cell
    TestBoard(std::initializer_list<Route> routes) {
        for (const Route& r : routes) {
            painted = paintRoute(cells, r) && painted;
        }
    }
};

// Writes `content` as a stage file and checks it as the game would read it.
StageReport checkText(const std::string& content, bool demo = false) {
    static const auto analysis = std::make_unique<StageAnalysis>();
    const TempDir dir;
    return checkStageFile(dir.write("stage.stg", content).c_str(), demo, *analysis);
}

const Route spur = run(DirEast, 2) + run(DirNorth, 3);                  // up the column x = 2
const Route fork = run(DirEast, 2) + run(DirNorth, 2) + Route{DirEast}; // off it to the right
const Route upFirst = run(DirNorth, 4) + Route{DirEast, DirNorth} + run(DirEast, 4);
// Up from the start, round a square and on over its first two cells again: painted
// without a clash, so the die comes back round lying as it went.
const Route ring = {DirNorth, DirNorth, DirNorth, DirEast,  DirEast, DirSouth,
                    DirSouth, DirWest,  DirWest,  DirNorth, DirNorth};

TEST(Solver, FiguresOfHandDrawnBoards) {
    // Round (2, 1) and (3, 1) and down onto (3, 0), then on along the edges.
    const Route detour =
        Route{DirEast, DirEast, DirNorth, DirEast, DirSouth} + run(DirEast, 2) + run(DirNorth, 5);
    const struct {
        TestBoard board;
        // solvable, shortest, solutions, reachable, dead, decisions, traps, difficulty
        std::tuple<bool, int, int, int, int, int, int, int> counts;
        std::array<std::uint32_t, 3> deepest;
        Route shortest = eastThenNorth;
    } cases[] = {
        {{eastThenNorth}, {1, 10, 1, 11, 0, 0, 0, 10}, {}}, // a forced corridor
        // The die can roll up from (2, 0) but never back: 1 roll deep, one dead state;
        // 10 + 2 x 1 decision + 3 x 1 trap + 1 dead / 2.
        {{eastThenNorth, run(DirEast, 2) + run(DirNorth, 1)}, {1, 10, 1, 12, 1, 1, 1, 15}, {1}},
        // Three cells up and one off to the right on the way: 3 rolls deep, four dead
        // states; and one cell left of (5, 4). 10 + 2 x 2 + 3 x 2 + 2 x (2 + 0) + 5 / 2.
        {{eastThenNorth, spur, fork, run(DirEast, 5) + run(DirNorth, 4) + Route{DirWest}},
         {1, 10, 1, 16, 5, 2, 2, 26},
         {3, 1}},
        // The start cell is a hole, so the die circles the ring for ever, either way round
        // (its first cell and eight more each way): it weighs 17 rolls.
        // 10 + 2 + 3 + 2 x 17 + 17 / 2.
        {{eastThenNorth, ring}, {1, 10, 1, 28, 17, 1, 1, 57}, {LoopingTrap}},
        // Rolled straight on from (2, 0), the die would put 3, not 1, on (3, 0).
        {{detour}, {1, 12, 1, 13, 0, 0, 0, 12}, {}, detour},
        // Two corridors that bring the same face down on the goal, each with the die lying
        // its own way there: two goal states, a choice but no trap.
        {{eastThenNorth, upFirst}, {1, 10, 2, 21, 0, 1, 0, 12}, {}, upFirst},
        // The corridor ends below the goal, which is a hole: all ten states dead.
        {{run(DirEast, 5) + run(DirNorth, 4)}, {0, 0, 0, 10, 10, 0, 0, 0}, {}, {}},
    };
    auto a = std::make_unique<StageAnalysis>();
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_TRUE(c.board.painted);
        analyseStage(c.board.cells, *a);
        const StageFigures f = measureStage(*a, c.shortest);
        EXPECT_EQ(std::make_tuple(f.solvable, int(f.shortest), int(f.solutions), int(f.reachable),
                                  int(f.dead), int(f.decisions), int(f.traps), int(f.difficulty)),
                  c.counts);
        EXPECT_EQ(f.deepest, c.deepest);
        EXPECT_EQ(shortestSolution(*a), c.shortest);
    }

    // What check prints of them.
    analyseStage(TestBoard{eastThenNorth, ring}.cells, *a);
    EXPECT_EQ(wrongTurnsText(wrongTurns(*a, eastThenNorth), eastThenNorth),
              "wrong turn at move 1, ↑ from (0, 0): loops, 17 dead states\n");
    analyseStage(TestBoard{eastThenNorth, spur, fork}.cells, *a);
    EXPECT_EQ(wrongTurnsText(wrongTurns(*a, eastThenNorth), eastThenNorth),
              "wrong turn at move 3, ↑ from (2, 0): 3 rolls deep, 4 dead states\n");
    EXPECT_EQ(figuresText(measureStage(*a, eastThenNorth)),
              "shortest solution 10 moves, the only one\nreachable states 15, dead 4, decision "
              "points 1, traps 1, difficulty 21\ndeepest traps (rolls before the die is stuck, "
              "the wrong turn included): 3\n");

    // Two routes that meet on (2, 3) with the die lying alike, and go on as one.
    const Route tail = run(DirEast, 3) + run(DirNorth, 2);
    analyseStage(TestBoard{Route{DirNorth, DirNorth, DirEast, DirEast, DirNorth} + tail,
                           Route{DirEast, DirEast, DirNorth, DirNorth, DirNorth} + tail}
                     .cells,
                 *a);
    EXPECT_EQ(a->solutions, 2u) << "the ways of the two add up where they meet";
}

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
        const StageReport r = checkText(c.content, c.demo);
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
    EXPECT_EQ(checkText(stage({eastThenNorth, longWay}, longWay)).measuredRoute, longWay);
    const Route off = run(DirEast, 5) + run(DirNorth, 4);
    EXPECT_EQ(checkText(stage({eastThenNorth}, off)).measuredRoute, eastThenNorth);
}

// Length, traps (each at least, at most), one shortest way, difficulty (at least, at
// most), the three deepest traps' depths.
const StageTargets deep = {16, NoLimit, 6, NoLimit, true, 50, NoLimit, {6, 4, 2}};
const StageTargets gentle = {8, 12, 1, 2, false, 0, 20, {}};

TEST(Generate, StagesAndDemosPassTheStrictCheckMeetTheirTargetsAndFollowTheirSeed) {
    std::set<std::string> made;
    for (const auto& [t, seed] : {std::pair{deep, 1}, {deep, 2}, {gentle, 4}}) {
        const GeneratedStage g = generateStage(seed, t, SearchLimits{});
        ASSERT_TRUE(g.found) << "seed " << seed;
        const StageReport r = checkText(stageFileText(g.board, g.moves));
        const StageFigures& f = r.figures;
        EXPECT_TRUE(passesCheck(r, true)) << "seed " << seed;
        EXPECT_EQ(targetShortfall(f, t), 0u) << "seed " << seed << ": " << figuresText(f);
        EXPECT_EQ(f.difficulty, g.figures.difficulty) << "the file holds what was found";
        made.insert(stageFileText(g.board, g.moves));
    }
    EXPECT_EQ(made.size(), 3u) << "each seed its own stage";

    const GeneratedStage demo = generateDemo(3, 27, SearchLimits{});
    ASSERT_TRUE(demo.found);
    EXPECT_GE(demo.moves.size(), 28u) << "rounded up to an even length";
    const StageReport r = checkText(stageFileText(demo.board, demo.moves), true);
    EXPECT_TRUE(passesCheck(r, true));
    EXPECT_EQ(r.loopCells, demo.moves.size()) << "no cell is entered twice";
}

TEST(Generate, EachTargetCountsOnItsOwnAndAHopelessSearchStillEnds) {
    // Three traps, a second shortest way, a second trap too shallow fall short, and a
    // looping trap is never taken.
    EXPECT_GT(targetShortfall({true, 10, 1, 100, 0, 2, 3, {}, 0, 20}, gentle), 0u);
    const StageFigures close = {true, 16, 1, 100, 0, 8, 6, {6, 4, 2}, 4, 50};
    StageFigures two = close, shallow = close, loops = close;
    two.solutions = 2;
    shallow.deepest[1] = 3;
    loops.deepest[0] = LoopingTrap;
    EXPECT_EQ(targetShortfall(close, deep), 0u);
    for (const StageFigures& f : {two, shallow, loops}) {
        EXPECT_GT(targetShortfall(f, deep), 0u);
    }

    StageTargets impossible;
    impossible.minLength = 300; // far beyond any 6 x 6 board
    const GeneratedStage g = generateStage(7, impossible, SearchLimits{0.2, 1u << 30});
    EXPECT_TRUE(!g.found && g.seconds < 5.0 && g.figures.solvable) << g.seconds;
}

TEST(ShippedStages, RiseFromAGentleStartToDeepTrapsAtTheEnd) {
    auto a = std::make_unique<StageAnalysis>();
    std::vector<TableRow> rows;
    for (std::uint32_t n = 0; n < StageCount; ++n) {
        const std::string path = std::string(PELMAR_STAGE_DIR) + "/" + stageFileNames[n];
        rows.push_back({"stage" + std::to_string(n), checkStageFile(path.c_str(), n == 0, *a)});
    }
    EXPECT_TRUE(rows[0].report.measuredRoute.size() == 36 && rows[0].report.loopCells == 36);
    const StageFigures& first = rows[1].report.figures;
    EXPECT_TRUE(first.shortest <= 12 && first.traps <= 2 && first.deepest[0] <= 2);
    for (std::uint32_t n = 1; n <= LastStage; ++n) {
        const StageFigures& f = rows[n].report.figures;
        EXPECT_EQ(f.solutions, 1u) << n;
        EXPECT_TRUE(n == 1 || f.difficulty > rows[n - 1].report.figures.difficulty) << n;
        EXPECT_TRUE(n < 11 || f.deepest[0] >= 5) << n;
        EXPECT_TRUE(n < 15 || (f.deepest[0] >= 6 && f.deepest[1] >= 4)) << n;
    }
    const StageFigures& last = rows[LastStage].report.figures;
    EXPECT_TRUE(last.deepest[0] >= 7 && last.shortest >= 24 && last.traps >= 8);

    // The table between its marker lines in the README.
    std::ifstream in(std::string(PELMAR_STAGE_DIR) + "/README.md");
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const std::string begin = "<!-- stage table begin: made by pelmar-stage table -->\n";
    const std::size_t from = text.find(begin) + begin.size();
    EXPECT_EQ(text.substr(from, text.find("<!-- stage table end -->") - from), stageTable(rows))
        << "run tools/update-stage-table.sh";
}

} // namespace
