// Stage files: reading them (layouts, the number syntax, every kind of bad input),
// loading stages by number from the working folder or the data folder, finding that
// folder, and refusing paths that are no regular file without ever waiting on one.
// (The stage tool's tests check the places it reports.)
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
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "data_folder.h"
#include "stage.h"
#include "stage_check.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t Old = 77; // what every slot holds before a read
constexpr std::int32_t Lowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Highest = std::numeric_limits<std::int32_t>::max();

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
    for (const std::string& cells : {numberedCells(), numberedCells(" ", " "),
                                     "\r\n\v\f " + numberedCells("\n\n", "\t\r\n")}) {
        const Scratch s = read(cells + "3\n1 4 2\n");
        for (int i = 0; i < 36; ++i) {
            ASSERT_EQ(s.board[i / 6][i % 6], i) << "column " << i / 6 << ", row " << i % 6;
        }
        EXPECT_EQ(std::tuple(s.moveCount, s.moves[0], s.moves[1], s.moves[2], s.moves[3]),
                  std::tuple(3u, 1, 4, 2, Old));
    }
}

TEST(StageReader, NumbersFollowTheIntegerConversionSyntaxAndClampTo32Bits) {
    const std::string huge(100000, '9');
    const Scratch s = read("010 0x6 0X1f -3 +4 -0x10 0777 0xAbC 0x0A 08 2147483647 -2147483648 "
                           "2147483648 -2147483649 4294967296 " +
                           huge + " -" + huge + " 0xffffffffffffffffffff");
    const std::int32_t expected[] = {8,      6,       31,      -3,     4,       -16,    511,
                                     0xabc,  10,      0,       8,      Highest, Lowest, Highest,
                                     Lowest, Highest, Highest, Lowest, Highest};
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(s.cell(i), expected[i]) << "value " << i;
        EXPECT_EQ(s.trace[i].scan.clamped, i >= 13) << "value " << i;
    }
    EXPECT_TRUE(s.trace[10].scan.glued) << "the 8 of 08 follows the 0 at once";
    EXPECT_FALSE(s.trace[9].scan.glued);
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
        {"x", {Old, Old, Old, Old}, 4},  {"é", {Old, Old, Old, Old}, 4},
        {"-", {Old, 4, 5, 6}, 0},        {"+", {Old, 4, 5, 6}, 0},
        {"--5", {Old, -5, 4, 5}, 0},     {"+-5", {Old, -5, 4, 5}, 0},
        {"0x", {Old, 4, 5, 6}, 0},       {"-0X", {Old, 4, 5, 6}, 0},
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

// Wherever the megabyte ends. (Counts above 256 are read as the stage tool's findings
// show.)
TEST(StageReader, ReadingStopsAfterAMegabyte) {
    const std::string blank(300 << 10, ' ');
    const Scratch huge = read(blank + numberedCells() + blank + "0 " + std::string(2 << 20, '7'));
    EXPECT_EQ(std::tuple(huge.cell(35), huge.moveCount, huge.trace.back().scan.clamped),
              std::tuple(35, 0u, true));
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
    const auto at = [&](const char* relative) {
        return (dir.path() / relative).lexically_normal();
    };
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

TEST(DataFolder, TheProgramsOwnPathNamesThisTestProgram) {
    const fs::path self = executablePath();
    EXPECT_EQ(self.stem(), "rules_tests");
    EXPECT_TRUE(self.is_absolute() && fs::is_regular_file(self)) << self;
}

#ifndef _WIN32 // FIFOs, sockets and devices
TEST(SpecialFiles, AreRefusedWithoutBlockingByTheGameAndTheTool) {
    alarm(10); // a read that blocks ends the test through the alarm, as a failure, not a hang
    const TempDir dir;
    const auto at = [&](const char* name) { return (dir.path() / name).string(); };
    ASSERT_EQ(mkfifo(at("fifo.stg").c_str(), 0600) |
                  symlink(at("fifo.stg").c_str(), at("link.stg").c_str()) |
                  mknod(at("socket.stg").c_str(), S_IFSOCK | 0600, 0),
              0);

    auto analysis = std::make_unique<StageAnalysis>();
    Scratch s;
    for (const std::string& path :
         {at("fifo.stg"), at("link.stg"), at("socket.stg"), std::string("/dev/zero"),
          std::string("/dev/null"), dir.path().string(), at("absent.stg")}) {
        std::string why;
        EXPECT_FALSE(readStageFile(path.c_str(), {s.board, s.moveCount, s.moves}, nullptr, &why))
            << path;
        EXPECT_EQ(why, path == at("absent.stg") ? std::strerror(ENOENT) : "not a regular file");
        EXPECT_FALSE(loadStageFile(path.c_str())) << path;
        const StageReport report = checkStageFile(path.c_str(), false, *analysis);
        EXPECT_EQ(std::pair(report.opened, report.openError), std::pair(false, why)) << path;
    }
    EXPECT_EQ(std::tuple(s.cell(0), s.moves[0], s.moveCount), std::tuple(Old, Old, 1234u))
        << "nothing was read";
    alarm(0);
}
#endif

} // namespace
