// Stage paths that are no regular file (a FIFO, a socket, a device, a folder): the
// game's reader and the stage tool refuse them at once and say why, and never wait on
// one or read it.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
    // A read that blocks ends the test through the alarm's default action, as a failure,
    // instead of hanging it.
    alarm(10);
    TempDir dir;
    const std::string fifo = (dir.path() / "fifo.stg").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (dir.path() / "socket.stg").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listening, 1), 0);
    symlink(fifo.c_str(), (dir.path() / "link.stg").c_str());

    auto analysis = std::make_unique<StageAnalysis>();
    for (const std::string& path :
         {fifo, socketPath, (dir.path() / "link.stg").string(), std::string("/dev/zero"),
          std::string("/dev/null"), dir.path().string()}) {
        std::int32_t board[BoardSize][BoardSize] = {{77}};
        std::uint32_t count = 1234;
        std::int32_t moves[MaxMoves] = {55};
        std::string why;
        EXPECT_FALSE(readStageFile(path.c_str(), {board, count, moves}, nullptr, &why)) << path;
        EXPECT_EQ(why, "not a regular file") << path;
        EXPECT_EQ(board[0][0] + moves[0] + count, 77u + 55 + 1234) << path;
        EXPECT_FALSE(loadStageFile(path.c_str())) << path;

        const StageReport report = checkStageFile(path.c_str(), false, *analysis);
        EXPECT_FALSE(report.opened) << path;
        EXPECT_EQ(report.openError, "not a regular file") << path;
    }
    std::int32_t board[BoardSize][BoardSize] = {};
    std::uint32_t count = 0;
    std::int32_t moves[MaxMoves] = {};
    std::string why;
    EXPECT_FALSE(
        readStageFile((dir.path() / "absent.stg").c_str(), {board, count, moves}, nullptr, &why));
    EXPECT_EQ(why, std::strerror(ENOENT));
    close(listening);
    alarm(0);
}

} // namespace
