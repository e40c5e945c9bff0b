// Finding the data folder: beside the program in an install tree wherever it lies, in
// a build folder, or named by the player, and nothing where there is none.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data_folder.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

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

} // namespace
