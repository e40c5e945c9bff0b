// Reading stage files: layouts, the number syntax, every kind of bad input, the
// places a tool reports, and loading stages by number.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "stage.h"
#include "test_files.h"

namespace {

// A stage in memory with every slot preset to a marker, so that a test sees which
// values a read replaced and which it kept.
struct Scratch {
    static constexpr std::int32_t Old = 77;
    std::int32_t board[BoardSize][BoardSize];
    std::uint32_t moveCount = 1234;
    std::int32_t moves[MaxMoves];
    std::vector<StageToken> trace;

    Scratch() {
        for (auto& column : board) {
            for (auto& cell : column) {
                cell = Old;
            }
        }
        for (auto& m : moves) {
            m = Old;
        }
    }
    StageSlots slots() { return StageSlots{board, moveCount, moves}; }
};

// 36 cells numbered 0..35 in file order, then the count and moves given.
std::string numberedCells() {
    std::string text;
    for (int i = 0; i < 36; ++i) {
        text += std::to_string(i) + ((i % 6 == 5) ? "\n" : " ");
    }
    return text;
}

class StageReader : public ::testing::Test {
  protected:
    // Reads `content` as a stage file into `s`; returns whether the file opened.
    bool read(const std::string& content, Scratch& s) {
        return readStageFile(dir.write("stage.stg", content).c_str(), s.slots(), &s.trace);
    }
    TempDir dir;
};

TEST_F(StageReader, GroupsFillTheBoardAColumnAtATimeFromTheBottom) {
    Scratch s;
    ASSERT_TRUE(read(numberedCells() + "3\n1 4 2\n", s));
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 6; ++y) {
            EXPECT_EQ(s.board[x][y], x * 6 + y) << "cell " << x << "," << y;
        }
    }
    EXPECT_EQ(s.moveCount, 3u);
    EXPECT_EQ(s.moves[0], 1);
    EXPECT_EQ(s.moves[1], 4);
    EXPECT_EQ(s.moves[2], 2);
    EXPECT_EQ(s.moves[3], Scratch::Old);
}

TEST_F(StageReader, LineStructureDoesNotMatter) {
    Scratch sixLines;
    ASSERT_TRUE(read(numberedCells() + "2 1 4", sixLines));
    std::string oneLine = numberedCells();
    for (char& c : oneLine) {
        c = c == '\n' ? ' ' : c;
    }
    Scratch flat;
    ASSERT_TRUE(read(oneLine + "2 1 4", flat));
    std::string scattered = numberedCells();
    for (char& c : scattered) {
        c = c == ' ' ? '\n' : c == '\n' ? '\t' : c;
    }
    Scratch ragged;
    ASSERT_TRUE(read("\r\n\v\f " + scattered + "\n\n2\r\n1\n\n4\n", ragged));
    for (const Scratch* other : {&flat, &ragged}) {
        for (int x = 0; x < 6; ++x) {
            for (int y = 0; y < 6; ++y) {
                EXPECT_EQ(other->board[x][y], sixLines.board[x][y]);
            }
        }
        EXPECT_EQ(other->moveCount, 2u);
        EXPECT_EQ(other->moves[1], 4);
    }
}

TEST_F(StageReader, NumbersFollowTheIntegerConversionSyntax) {
    Scratch s;
    ASSERT_TRUE(read("010 0x6 0X1f -3 +4 0 -0x10 0777 0xAbC 08 1 2 3 4 5 6 7 8 9 10 11 12 13 14 "
                     "15 16 17 18 19 20 21 22 23 24 25 0",
                     s));
    EXPECT_EQ(s.board[0][0], 8);
    EXPECT_EQ(s.board[0][1], 6);
    EXPECT_EQ(s.board[0][2], 31);
    EXPECT_EQ(s.board[0][3], -3);
    EXPECT_EQ(s.board[0][4], 4);
    EXPECT_EQ(s.board[0][5], 0);
    EXPECT_EQ(s.board[1][0], -16);
    EXPECT_EQ(s.board[1][1], 511);
    EXPECT_EQ(s.board[1][2], 0xabc);
    // "08" is an octal 0 followed at once by a decimal 8.
    EXPECT_EQ(s.board[1][3], 0);
    EXPECT_EQ(s.board[1][4], 8);
    EXPECT_FALSE(s.trace[9].scan.glued);
    EXPECT_TRUE(s.trace[10].scan.glued);
    EXPECT_EQ(s.board[5][5], 25);
    EXPECT_EQ(s.moveCount, 0u);
}

TEST_F(StageReader, NumbersBeyond32BitsReadAsTheNearest32BitValue) {
    Scratch s;
    const std::string huge(100000, '9');
    ASSERT_TRUE(read("2147483647 -2147483648 2147483648 -2147483649 4294967296 " + huge + " -" +
                         huge + " 0xffffffffffffffffffff",
                     s));
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const std::int32_t expected[] = {highest, lowest,  highest, lowest,
                                     highest, highest, lowest,  highest};
    const bool clamped[] = {false, false, true, true, true, true, true, true};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(s.board[i / 6][i % 6], expected[i]) << "value " << i;
        EXPECT_EQ(s.trace[i].scan.clamped, clamped[i]) << "value " << i;
    }
    EXPECT_EQ(s.board[1][2], Scratch::Old);
}

TEST_F(StageReader, AShortFileKeepsEveryValueItDoesNotReach) {
    Scratch s;
    ASSERT_TRUE(read("1 2 3\n4 5", s));
    EXPECT_EQ(s.board[0][4], 5);
    EXPECT_EQ(s.board[0][5], Scratch::Old);
    EXPECT_EQ(s.board[5][5], Scratch::Old);
    EXPECT_EQ(s.moveCount, 1234u);
    EXPECT_EQ(s.moves[0], Scratch::Old);
    ASSERT_EQ(s.trace.back().field, StageField::Stop);
    EXPECT_EQ(s.trace.back().scan.result, ScanResult::End);

    Scratch countOnly;
    ASSERT_TRUE(read(numberedCells() + "5 1 2", countOnly));
    EXPECT_EQ(countOnly.moveCount, 5u);
    EXPECT_EQ(countOnly.moves[1], 2);
    EXPECT_EQ(countOnly.moves[2], Scratch::Old);
}

TEST_F(StageReader, TextThatIsNoNumberEndsTheReadingWhereItStands) {
    const char* const junk[] = {"x", "-", "+", "- 5", "--5", "+-5", "0x", "0xg", "\x01", "é"};
    for (const char* bad : junk) {
        Scratch s;
        ASSERT_TRUE(read(std::string("1 2\n 3 ") + bad + " 4 5 6", s));
        EXPECT_EQ(s.board[0][2], 3) << bad;
        // "0x" with no hexadecimal digit is the number 0, then the text "x".
        const bool zeroFirst = bad[0] == '0';
        EXPECT_EQ(s.board[0][3], zeroFirst ? 0 : Scratch::Old) << bad;
        EXPECT_EQ(s.board[0][4], Scratch::Old) << bad;
        EXPECT_EQ(s.board[5][5], Scratch::Old) << bad;
        ASSERT_EQ(s.trace.back().field, StageField::Stop) << bad;
        EXPECT_EQ(s.trace.back().scan.result, ScanResult::NotANumber) << bad;
        EXPECT_EQ(s.trace.back().scan.place.line, 2u) << bad;
        EXPECT_EQ(s.trace.back().scan.place.column, zeroFirst ? 5u : 4u) << bad;
    }
}

TEST_F(StageReader, AnyCountReadsAtMost256MovesAndNeverWritesBeyondThem) {
    std::string manyMoves;
    for (int i = 0; i < 300; ++i) {
        manyMoves += std::to_string(i % 4 + 1) + " ";
    }
    for (const char* count : {"1000", "-1", "0xffffffff", "-2147483648", "99999999999"}) {
        Scratch s;
        ASSERT_TRUE(read(numberedCells() + count + "\n" + manyMoves, s));
        EXPECT_EQ(s.moveCount, 256u) << count;
        EXPECT_EQ(s.moves[255], 255 % 4 + 1) << count;
        ASSERT_EQ(s.trace.back().field, StageField::Trailing) << count;
        EXPECT_EQ(s.trace.back().scan.value, 256 % 4 + 1) << count;
    }
    Scratch exact;
    ASSERT_TRUE(read(numberedCells() + "256\n" + manyMoves.substr(0, 512), exact));
    EXPECT_EQ(exact.moveCount, 256u);
    EXPECT_NE(exact.trace.back().field, StageField::Trailing);
}

TEST_F(StageReader, EmptyBinaryAndHugeFilesNeverCrashOrHang) {
    Scratch empty;
    EXPECT_TRUE(read("", empty));
    EXPECT_EQ(empty.board[0][0], Scratch::Old);

    Scratch binary;
    EXPECT_TRUE(read(std::string("\0\xff\x7f 1 2", 7), binary));
    EXPECT_EQ(binary.board[0][0], Scratch::Old);

    // Megabytes of whitespace around a stage, and megabytes of data after it.
    Scratch huge;
    const std::string blank(3 << 20, ' ');
    EXPECT_TRUE(read(blank + numberedCells() + blank + "0 " + std::string(3 << 20, '7'), huge));
    EXPECT_EQ(huge.board[5][5], 35);
    EXPECT_EQ(huge.moveCount, 0u);
    ASSERT_EQ(huge.trace.back().field, StageField::Trailing);
    EXPECT_TRUE(huge.trace.back().scan.clamped);
}

TEST_F(StageReader, AFolderOrAMissingFileIsNotOpenedAndChangesNothing) {
    Scratch s;
    EXPECT_FALSE(readStageFile(dir.path().string().c_str(), s.slots(), &s.trace));
    EXPECT_FALSE(readStageFile((dir.path() / "absent.stg").string().c_str(), s.slots(), &s.trace));
    EXPECT_EQ(s.board[0][0], Scratch::Old);
    EXPECT_EQ(s.moveCount, 1234u);
    EXPECT_TRUE(s.trace.empty());
}

TEST_F(StageReader, TheTraceNamesEachValueAndWhereItStands) {
    Scratch s;
    ASSERT_TRUE(read(numberedCells() + "2\n  3 4 9", s));
    ASSERT_EQ(s.trace.size(), 36u + 1 + 2 + 1);
    EXPECT_EQ(s.trace[7].field, StageField::Cell);
    EXPECT_EQ(s.trace[7].index, 7u);
    EXPECT_EQ(s.trace[7].scan.place.line, 2u);
    EXPECT_EQ(s.trace[7].scan.place.column, 3u);
    EXPECT_EQ(s.trace[36].field, StageField::Count);
    EXPECT_EQ(s.trace[36].scan.place.line, 7u);
    EXPECT_EQ(s.trace[38].field, StageField::Move);
    EXPECT_EQ(s.trace[38].index, 1u);
    EXPECT_EQ(s.trace[38].scan.place.column, 5u);
    EXPECT_EQ(s.trace[39].field, StageField::Trailing);
    EXPECT_EQ(s.trace[39].scan.value, 9);
    EXPECT_EQ(s.trace[39].scan.place.line, 8u);
    EXPECT_EQ(s.trace[39].scan.place.column, 7u);
}

// loadStage reads by stage number from the working folder into the game's globals.
class StageLoading : public ::testing::Test {
  protected:
    void SetUp() override {
        for (auto& column : Board) {
            for (auto& cell : column) {
                cell = 0;
            }
        }
        moveCount = 0;
        stageNumber = 0;
        stageDataDir = nullptr;
    }
    void TearDown() override { stageDataDir = nullptr; }

    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(StageLoading, TheNameTableCoversStage0To20) {
    EXPECT_STREQ(stageFileNames[0], "stage0.stg");
    EXPECT_STREQ(stageFileNames[9], "stage9.stg");
    EXPECT_STREQ(stageFileNames[10], "stage10.stg");
    EXPECT_STREQ(stageFileNames[20], "stage20.stg");
}

TEST_F(StageLoading, AMissingFileKeepsTheStageButStillResetsTheCamera) {
    dir.write("stage2.stg", numberedCells() + "1 4");
    stageNumber = 2;
    loadStage();
    EXPECT_EQ(Board[5][5], 35);
    EXPECT_EQ(moveCount, 1u);

    cameraSpin = 100.0f;
    cameraTilt = -45.0f;
    cameraDistance = -14.0f;
    stageNumber = 3;
    loadStage();
    EXPECT_EQ(Board[5][5], 35);
    EXPECT_EQ(moves[0], 4);
    EXPECT_EQ(cameraSpin, 0.0f);
    EXPECT_EQ(cameraTilt, 0.0f);
    EXPECT_EQ(cameraDistance, -11.414213f);

    stageNumber = 21;
    dir.write("stage21.stg", "9 9 9");
    loadStage();
    EXPECT_EQ(Board[0][0], 0);
}

TEST_F(StageLoading, AFileNamedByThePlayerLeavesTheCameraAlone) {
    cameraSpin = 12.0f;
    EXPECT_TRUE(loadStageFile(dir.write("mine.txt", numberedCells() + "0").c_str()));
    EXPECT_EQ(Board[1][0], 6);
    EXPECT_EQ(cameraSpin, 12.0f);
    EXPECT_FALSE(loadStageFile("not-there.stg"));
}

TEST_F(StageLoading, TheInstalledFolderIsTriedWhenTheWorkingFolderLacksTheFile) {
    TempDir installed;
    installed.write("stage1.stg", numberedCells() + "0");
    installed.write("stage2.stg", "5");
    dir.write("stage2.stg", "6");
    stageDataDir = installed.path().c_str();

    stageNumber = 1;
    loadStage();
    EXPECT_EQ(Board[0][1], 1);
    stageNumber = 2;
    loadStage();
    EXPECT_EQ(Board[0][0], 6) << "the working folder comes first";
}

} // namespace
