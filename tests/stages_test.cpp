// Stages: reading stage files (layouts, the number syntax, every kind of bad input),
// loading stages by number from the working folder or the data folder, finding that
// folder, and refusing paths that are no regular file without ever waiting on one; and
// the stage tool: the solver and the figures on boards whose answers follow from how
// they were drawn (routes painted on a board of holes), the check's findings at their
// places, generated stages and demos that prove themselves, and the shipped stages,
// which rise from a gentle first stage to deep traps, with their table in
// stages/README.md as the tool measures it now.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "data_folder.h"
#include "stage.h"
#include "stage_check.h"
#include "stage_generator.h"
#include "stage_text.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t Old = 77; // what every slot holds before a read

// A stage in memory, preset so that a test sees which values a read replaced.
struct Scratch {
    std::int32_t board[BoardSize][BoardSize];
    std::uint32_t moveCount = 1234;
    std::int32_t moves[MaxMoves];
    std::vector<StageToken> trace;
    Scratch() {
        std::fill_n(&board[0][0], 36, Old);
        std::fill_n(moves, MaxMoves, Old);
    }
    std::int32_t cell(int i) const { return board[i / 6][i % 6]; } // the i-th in the file
};

Scratch read(const std::string& content) {
    const TempDir dir;
    Scratch s;
    const std::string path = dir.write("stage.stg", content);
    EXPECT_TRUE(readStageFile(path.c_str(), {s.board, s.moveCount, s.moves}, &s.trace));
    return s;
}

// 36 cells numbered 0..35 in file order, six to a line unless told otherwise.
std::string numberedCells(const char* space = " ", const char* lineEnd = "\n") {
    std::string text;
    for (int i = 0; i < 36; ++i) {
        text += std::to_string(i) + (i % 6 == 5 ? lineEnd : space);
    }
    return text;
}

TEST(StageReader, ColumnsFillFromTheBottomWhateverTheLineStructure) {
    const Scratch s = read("\r\n\v\f " + numberedCells("\n\n", "\t\r\n") + "3\n1 4 2\n");
    for (int i = 0; i < 36; ++i) {
        ASSERT_EQ(s.board[i / 6][i % 6], i) << "column " << i / 6 << ", row " << i % 6;
    }
    EXPECT_EQ(std::tuple(s.moveCount, s.moves[0], s.moves[1], s.moves[2], s.moves[3]),
              std::tuple(3u, 1, 4, 2, Old));
}

TEST(StageReader, NumbersFollowTheIntegerConversionSyntaxAndClampTo32Bits) {
    const std::string huge(100000, '9');
    const Scratch s = read("010 0x6 0X1f -3 +4 -0x10 0777 0xAbC 0x0A 08 2147483647 -2147483648 "
                           "2147483648 -2147483649 4294967296 " +
                           huge + " -" + huge + " 0xffffffffffffffffffff");
    const std::int32_t expected[] = {
        8, 6,         31,        -3,        4,         -16,       511,       0xabc,     10,       0,
        8, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX};
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(s.cell(i), expected[i]) << "value " << i;
        EXPECT_EQ(s.trace[i].scan.clamped, i >= 13) << "value " << i;
    }
    EXPECT_TRUE(s.trace[10].scan.glued) << "the 8 of 08 follows the 0 at once";
    EXPECT_EQ(s.cell(19), Old);
}

TEST(StageReader, AFailedValueIsSkippedButTextThatIsNoNumberEndsTheReading) {
    // A lone sign or a bare 0x fails its one value and the reading goes on after it; text
    // that begins with no number ends the reading where it stands.
    const struct {
        const char* text;
        std::int32_t cells[4];    // cells 3 to 6 after "1 2\n 3 TEXT 4 5 6"
        std::uint32_t stopColumn; // where the reading ends on line 2, or 0
    } cases[] = {
        {"é", {Old, Old, Old, Old}, 4},  {"-", {Old, 4, 5, 6}, 0},
        {"+-5", {Old, -5, 4, 5}, 0},     {"0x", {Old, 4, 5, 6}, 0},
        {"-x", {Old, Old, Old, Old}, 5}, {"0xg", {Old, Old, Old, Old}, 6},
    };
    for (const auto& c : cases) {
        const Scratch s = read(std::string("1 2\n 3 ") + c.text + " 4 5 6");
        EXPECT_EQ(std::tuple(s.cell(2), s.cell(3), s.cell(4), s.cell(5), s.cell(6)),
                  std::tuple(3, c.cells[0], c.cells[1], c.cells[2], c.cells[3]))
            << c.text;
        EXPECT_EQ(s.trace[3].scan.place.line * 100 + s.trace[3].scan.place.column, 204u) << c.text;
        const StageToken& last = s.trace.back();
        const bool stopped = last.field == StageField::Stop && last.scan.result != ScanResult::End;
        EXPECT_EQ(stopped ? last.scan.place.column : 0u, c.stopColumn) << c.text;
        EXPECT_FALSE(last.scan.glued) << c.text << ": only a number runs on from the one before";
    }
}

// Only a stage file's first megabyte is read, wherever it ends: here just before the 2.
// (How counts above 256 are read shows in the stage tool's findings.)
TEST(StageReader, ReadingStopsAfterAMegabyte) {
    const Scratch beyond = read(std::string((1 << 20) - 2, '\n') + "1 2 3 4");
    EXPECT_EQ(std::tuple(beyond.cell(0), beyond.cell(1), beyond.trace.back().scan.overLimit),
              std::tuple(1, Old, true));
}

// loadStage reads by stage number, from the working folder first, into the globals.
TEST(StageLoading, ByNumberKeepingTheOldStageWhenAFileIsMissing) {
    TempDir dir, installed;
    WorkingDirGuard inDir(dir.path());
    dir.write("stage2.stg", numberedCells() + "1 4");
    dir.write("stage21.stg", "9 9 9");
    installed.write("stage2.stg", "5");
    installed.write("stage4.stg", "0 1");
    const std::string installedDir = installed.path().string();
    stageDataDir = installedDir.c_str();

    stageNumber = 2;
    loadStage();
    EXPECT_EQ(Board[5][5], 35) << "the working folder comes first";
    cameraSpin = cameraTilt = cameraDistance = 100.0f;
    for (std::uint32_t missing : {3u, 21u}) {
        stageNumber = missing;
        loadStage();
        EXPECT_EQ(std::pair(Board[0][0], moves[0]), std::pair(0, 4)) << missing;
    }
    EXPECT_EQ(std::tuple(cameraSpin, cameraTilt, cameraDistance),
              std::tuple(0.0f, 0.0f, -11.414213f));

    stageNumber = 4;
    loadStage();
    EXPECT_EQ(Board[0][1], 1) << "then the installed folder";
    stageDataDir = nullptr;
}

TEST(DataFolder, FollowsTheProgramThenTheFolderNamedInItsPlace) {
    TempDir dir;
    // A path under the scratch folder, in the form the system writes it.
    const auto at = [&](const char* path) { return (dir.path() / path).lexically_normal(); };
    const auto found = [&](const char* chosen, const char* program) {
        return fs::path(findDataFolder(chosen, at(program).string()));
    };
    fs::create_directories(at("usr/share/pelmar"));
    fs::create_directories(at("usr/bin"));
    fs::create_directories(at("build/share/pelmar"));

    EXPECT_EQ(found(nullptr, "usr/bin/pelmar"), at("usr/share/pelmar"));
    EXPECT_EQ(found(nullptr, "build/pelmar"), at("build/share/pelmar"));
    // The whole tree moved elsewhere: the program finds the moved data.
    fs::rename(at("usr"), at("opt"));
    EXPECT_EQ(found(nullptr, "opt/bin/pelmar"), at("opt/share/pelmar"));
    EXPECT_EQ(found(nullptr, "usr/bin/pelmar"), fs::path());
    EXPECT_EQ(findDataFolder(nullptr, ""), "");

    // A folder named in the program's place wins; a name that is no folder is no name.
    EXPECT_EQ(found(at("build").string().c_str(), "opt/bin/pelmar"), at("build"));
    for (const std::string& none : {std::string(), at("absent").string(), dir.write("x.stg", "")}) {
        EXPECT_EQ(found(none.c_str(), "opt/bin/pelmar"), at("opt/share/pelmar")) << none;
    }
}

#ifndef _WIN32 // FIFOs, sockets and devices
TEST(SpecialFiles, AreRefusedWithoutBlockingByTheGameAndTheTool) {
    alarm(10); // a read that blocks ends the test through the alarm, as a failure, not a hang
    const TempDir dir;
    const auto at = [&](const char* name) { return (dir.path() / name).string(); };
    ASSERT_EQ(mkfifo(at("fifo.stg").c_str(), 0600) |
                  mknod(at("socket.stg").c_str(), S_IFSOCK | 0600, 0),
              0);

    auto analysis = std::make_unique<StageAnalysis>();
    Scratch s;
    for (const std::string& path :
         {at("fifo.stg"), at("socket.stg"), std::string("/dev/zero"), std::string("/dev/null"),
          dir.path().string(), at("absent.stg")}) {
        std::string why;
        EXPECT_FALSE(readStageFile(path.c_str(), {s.board, s.moveCount, s.moves}, nullptr, &why))
            << path;
        EXPECT_EQ(why, path == at("absent.stg") ? std::strerror(ENOENT) : "not a regular file");
        const StageReport report = checkStageFile(path.c_str(), false, *analysis);
        EXPECT_EQ(std::pair(report.opened, report.openError), std::pair(false, why)) << path;
    }
    EXPECT_EQ(std::tuple(s.cell(0), s.moves[0], s.moveCount), std::tuple(Old, Old, 1234u))
        << "nothing was read";
    alarm(0);
}
#endif

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
    TestBoard(std::initializer_list<Route> routes) {
        for (const Route& r : routes) {
            paintRoute(cells, r);
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
    EXPECT_EQ(figuresText(measureStage(*a, eastThenNorth)),
              "shortest solution 10 moves, the only one\nreachable states 15, dead 4, decision "
              "points 1, traps 1, difficulty 21\ndeepest traps (rolls before the die is stuck, "
              "the wrong turn included): 3\n");

    // Two routes that meet on (2, 3) with the die lying alike, and go on as one.
    const Route tail = run(DirEast, 3) + run(DirNorth, 2);
    const TestBoard meeting{Route{DirNorth, DirNorth, DirEast, DirEast, DirNorth} + tail,
                            Route{DirEast, DirEast, DirNorth, DirNorth, DirNorth} + tail};
    analyseStage(meeting.cells, *a);
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
    std::string cells = corridor("");
    cells.replace(cells.find('\n') - 1, 1, "9"); // (0, 5) on line 1, column 11
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
        bool fails;                         // or else only warns
        std::uint32_t line = 0, column = 0; // 0, 0: no place in the file
        bool demo = false;
    } cases[] = {
        // The moves' line is "4 4 4 4 4 1 3 ...".
        {stage({eastThenNorth}, run(DirEast, 5) + Route{DirNorth, DirWest}),
         "move 7 (←) from (5, 1) is refused: it would put 6 on cell (4, 1), which shows 0", Fails,
         8, 13},
        {stage({eastThenNorth}, run(DirEast, 5) + Route{DirWest}), "it reverses the roll before it",
         Fails, 8, 11},
        {stage({eastThenNorth}, {DirWest}), "(0, 0) is refused: it rolls off the board", Fails, 8,
         1},
        {stage({eastThenNorth}, run(DirEast, 5) + run(DirNorth, 4)),
         "end on (5, 4), not on the goal", true},
        {stage({eastThenNorth}, {}), "the stored move list is empty", true},
        {stage({eastThenNorth, longWay}, longWay), "12 moves; a shortest one has 10", false},
        {stage({beyond}, beyond), "reach the goal at move 10 and go on beyond it", Fails, 8, 21},
        {cells + "10\n4 4 4 4 4 1 1 1 1 1\n", "cell (0, 5) holds 9", Warns, 1, 11},
        // A lone sign fails its one value: the game would keep the last stage's move there.
        {corridor("10\n4 4 4 4 4 1 1 1 1 - 1\n"),
         "a sign or 0x with no digit after it names no value", Fails, 8, 19},
        {oddMoves, "move 6 is 7, which names no roll", Warns, 7, 14},
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
}

// Length, traps (each at least, at most), one shortest way, difficulty (at least, at
// most), the three deepest traps' depths.
const StageTargets deep = {16, NoLimit, 6, NoLimit, true, 50, NoLimit, {6, 4, 2}};
const StageTargets gentle = {8, 12, 1, 2, false, 0, 20, {}};

TEST(Generate, StagesAndDemosPassTheStrictCheckAndMeetTheirTargetsEachTargetOnItsOwn) {
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
