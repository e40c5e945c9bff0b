// Reading stage files: layouts, the number syntax, every kind of bad input, and
// loading stages by number. (The stage tool's tests check the places it reports.)
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "stage.h"
#include "test_files.h"

namespace {

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
        std::fill(&board[0][0], &board[0][0] + BoardSize * BoardSize, Old);
        std::fill(moves, moves + MaxMoves, Old);
    }
    std::int32_t cell(int i) const { return board[i / BoardSize][i % BoardSize]; }
};

// 36 cells numbered 0..35 in file order, six to a line.
std::string numberedCells() {
    std::string text;
    for (int i = 0; i < 36; ++i) {
        text += std::to_string(i) + (i % 6 == 5 ? "\n" : " ");
    }
    return text;
}

class StageReader : public ::testing::Test {
  protected:
    Scratch read(const std::string& content) {
        Scratch s;
        const std::string path = dir.write("stage.stg", content);
        EXPECT_TRUE(readStageFile(path.c_str(), {s.board, s.moveCount, s.moves}, &s.trace));
        return s;
    }
    TempDir dir;
};

TEST_F(StageReader, ColumnsFillFromTheBottomWhateverTheLineStructure) {
    std::string flat = numberedCells() + "3\n1 4 2\n";
    std::string ragged = "\r\n\v\f ";
    for (char& c : flat) {
        ragged += c == ' ' ? "\n\n" : c == '\n' ? "\t\r\n" : std::string(1, c);
        c = c == '\n' ? ' ' : c;
    }
    for (const std::string& text : {numberedCells() + "3\n1 4 2\n", flat, ragged}) {
        const Scratch s = read(text);
        for (int i = 0; i < 36; ++i) {
            ASSERT_EQ(s.board[i / 6][i % 6], i) << "cell " << i / 6 << "," << i % 6;
        }
        EXPECT_EQ(s.moveCount, 3u);
        EXPECT_EQ(s.moves[0] * 100 + s.moves[1] * 10 + s.moves[2], 142);
        EXPECT_EQ(s.moves[3], Old);
    }
}

TEST_F(StageReader, NumbersFollowTheIntegerConversionSyntaxAndClampTo32Bits) {
    const std::string huge(100000, '9');
    const Scratch s = read("010 0x6 0X1f -3 +4 -0x10 0777 0xAbC 08 2147483647 -2147483648 "
                           "2147483648 -2147483649 4294967296 " +
                           huge + " -" + huge + " 0xffffffffffffffffffff");
    const std::int32_t expected[] = {8,       6,      31,      -3,      4,       -16,
                                     511,     0xabc,  0,       8,       Highest, Lowest,
                                     Highest, Lowest, Highest, Highest, Lowest,  Highest};
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(s.cell(i), expected[i]) << "value " << i;
        EXPECT_EQ(s.trace[i].scan.clamped, i >= 12) << "value " << i;
    }
    EXPECT_TRUE(s.trace[9].scan.glued) << "the 8 of 08 follows the 0 at once";
    EXPECT_FALSE(s.trace[8].scan.glued);
    EXPECT_EQ(s.cell(18), Old);
}

TEST_F(StageReader, ReadingEndsAtTheEndOrAtTextThatIsNoNumber) {
    const Scratch shortFile = read("1 2 3\n4 5");
    EXPECT_EQ(shortFile.cell(4), 5);
    EXPECT_EQ(shortFile.cell(5), Old);
    EXPECT_EQ(shortFile.moveCount, 1234u);
    EXPECT_EQ(shortFile.trace.back().field, StageField::Stop);
    EXPECT_EQ(shortFile.trace.back().scan.result, ScanResult::End);

    const Scratch fewMoves = read(numberedCells() + "5 1 2");
    EXPECT_EQ(fewMoves.moveCount, 5u);
    EXPECT_EQ(fewMoves.moves[1], 2);
    EXPECT_EQ(fewMoves.moves[2], Old);

    // A lone sign or a bare 0x fails its one value and the reading goes on after it; text
    // that begins with no number ends the reading where it stands.
    const struct {
        const char* text;
        std::int32_t cells[4];    // cells 3 to 6 after "1 2\n 3 TEXT 4 5 6"
        std::uint32_t stopColumn; // where the reading ends on line 2, or 0
    } cases[] = {
        {"x", {Old, Old, Old, Old}, 4},   {"\x01", {Old, Old, Old, Old}, 4},
        {"é", {Old, Old, Old, Old}, 4},   {"-", {Old, 4, 5, 6}, 0},
        {"+", {Old, 4, 5, 6}, 0},         {"--5", {Old, -5, 4, 5}, 0},
        {"+-5", {Old, -5, 4, 5}, 0},      {"0x", {Old, 4, 5, 6}, 0},
        {"-0X", {Old, 4, 5, 6}, 0},       {"-x", {Old, Old, Old, Old}, 5},
        {"0xg", {Old, Old, Old, Old}, 6}, {"0x0A", {10, 4, 5, 6}, 0},
    };
    for (const auto& c : cases) {
        const Scratch s = read(std::string("1 2\n 3 ") + c.text + " 4 5 6");
        EXPECT_EQ(s.cell(2), 3) << c.text;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(s.cell(3 + i), c.cells[i]) << c.text << " cell " << 3 + i;
        }
        EXPECT_EQ(s.trace[3].scan.place.line * 100 + s.trace[3].scan.place.column, 204u) << c.text;
        const StageToken& last = s.trace.back();
        const bool stopped = last.field == StageField::Stop && last.scan.result != ScanResult::End;
        EXPECT_EQ(stopped ? last.scan.place.column : 0u, c.stopColumn) << c.text;
        EXPECT_FALSE(last.scan.glued) << c.text << ": only a number runs on from the one before";
    }
}

TEST_F(StageReader, AnyCountReadsAtMost256MovesAndNeverWritesBeyondThem) {
    std::string manyMoves;
    for (int i = 0; i < 300; ++i) {
        manyMoves += std::to_string(i % 4 + 1) + " ";
    }
    for (const char* count : {"1000", "-1", "0xffffffff", "-2147483648", "99999999999"}) {
        const Scratch s = read(numberedCells() + count + "\n" + manyMoves);
        EXPECT_EQ(s.moveCount, 256u) << count;
        EXPECT_EQ(s.moves[255], 255 % 4 + 1) << count;
        EXPECT_EQ(s.trace.back().field, StageField::Trailing) << count;
    }
    const Scratch exact = read(numberedCells() + "256\n" + manyMoves.substr(0, 512));
    EXPECT_EQ(exact.moveCount, 256u);
    EXPECT_EQ(exact.trace.back().field, StageField::Move);
}

TEST_F(StageReader, EmptyBinaryHugeMissingAndFolderFilesAreSafe) {
    EXPECT_EQ(read("").cell(0), Old);
    EXPECT_EQ(read(std::string("\0\xff\x7f 1 2", 7)).cell(0), Old);

    // Reading stops after a megabyte, wherever that falls.
    const std::string blank(300 << 10, ' ');
    const Scratch huge = read(blank + numberedCells() + blank + "0 " + std::string(2 << 20, '7'));
    EXPECT_EQ(huge.cell(35), 35);
    EXPECT_EQ(huge.moveCount, 0u);
    EXPECT_TRUE(huge.trace.back().scan.clamped);
    const Scratch beyond = read(std::string((1 << 20) - 2, '\n') + "1 2 3 4");
    EXPECT_EQ(beyond.cell(0), 1);
    EXPECT_EQ(beyond.cell(1), Old);
    EXPECT_TRUE(beyond.trace.back().scan.overLimit);

    Scratch s;
    for (const auto& path : {dir.path(), dir.path() / "absent.stg"}) {
        EXPECT_FALSE(readStageFile(path.string().c_str(), {s.board, s.moveCount, s.moves}));
    }
    EXPECT_EQ(s.cell(0), Old);
    EXPECT_EQ(s.moveCount, 1234u);
}

// loadStage reads by stage number, from the working folder first, into the globals.
TEST(StageLoading, ByNumberKeepingTheOldStageWhenAFileIsMissing) {
    TempDir dir, installed;
    WorkingDirGuard inDir(dir.path());
    EXPECT_STREQ(stageFileNames[9], "stage9.stg");
    EXPECT_STREQ(stageFileNames[20], "stage20.stg");
    dir.write("stage2.stg", numberedCells() + "1 4");
    dir.write("stage21.stg", "9 9 9");
    installed.write("stage2.stg", "5");
    installed.write("stage4.stg", "0 1");
    const std::string installedDir = installed.path().string();
    stageDataDir = installedDir.c_str();

    stageNumber = 2;
    loadStage();
    EXPECT_EQ(Board[5][5], 35) << "the working folder comes first";
    cameraSpin = 100.0f;
    cameraTilt = -45.0f;
    cameraDistance = -14.0f;
    for (std::uint32_t missing : {3u, 21u}) {
        stageNumber = missing;
        loadStage();
        EXPECT_EQ(Board[0][0], 0) << missing;
        EXPECT_EQ(moves[0], 4) << missing;
    }
    EXPECT_EQ(cameraSpin, 0.0f);
    EXPECT_EQ(cameraTilt, 0.0f);
    EXPECT_EQ(cameraDistance, -11.414213f);

    stageNumber = 4;
    loadStage();
    EXPECT_EQ(Board[0][1], 1) << "then the installed folder";
    stageDataDir = nullptr;

    cameraSpin = 12.0f;
    EXPECT_TRUE(loadStageFile(dir.write("mine.txt", numberedCells() + "0").c_str()));
    EXPECT_EQ(Board[1][0], 6);
    EXPECT_EQ(cameraSpin, 12.0f) << "a file named by the player leaves the camera alone";
    EXPECT_FALSE(loadStageFile("not-there.stg"));
}

} // namespace
