// Stage paths that are no regular file (a FIFO, a socket, a device, a folder): the
// game's reader and the stage tool refuse them at once and say why, and never wait on
// one or read it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "stage.h"
#include "stage_check.h"
#include "test_files.h"

namespace {

TEST(SpecialFiles, AreRefusedWithoutBlockingByTheGameAndTheTool) {
    // A read that blocks ends the test through the alarm, as a failure, not a hang.
    alarm(10);
    TempDir dir;
    const std::string fifo = (dir.path() / "fifo.stg").string();
    const std::string link = (dir.path() / "link.stg").string();
    const std::string socketPath = (dir.path() / "socket.stg").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600) | symlink(fifo.c_str(), link.c_str()) |
                  mknod(socketPath.c_str(), S_IFSOCK | 0600, 0),
              0);

    auto analysis = std::make_unique<StageAnalysis>();
    std::int32_t board[BoardSize][BoardSize] = {{77}};
    std::uint32_t count = 1234;
    std::int32_t moves[MaxMoves] = {55};
    for (const std::string& path :
         {fifo, link, socketPath, std::string("/dev/zero"), std::string("/dev/null"),
          dir.path().string(), (dir.path() / "absent.stg").string()}) {
        const bool missing = path.find("absent") != std::string::npos;
        std::string why;
        EXPECT_FALSE(readStageFile(path.c_str(), {board, count, moves}, nullptr, &why)) << path;
        EXPECT_EQ(why, missing ? std::strerror(ENOENT) : "not a regular file") << path;
        EXPECT_FALSE(loadStageFile(path.c_str())) << path;
        const StageReport report = checkStageFile(path.c_str(), false, *analysis);
        EXPECT_FALSE(report.opened) << path;
        EXPECT_EQ(report.openError, why) << path;
    }
    EXPECT_EQ(board[0][0] + moves[0] + count, 77u + 55 + 1234) << "nothing was read";
    alarm(0);
}

} // namespace
