// The fixture of the game's tests on the null platform.
#include "game_fixture.h"

#include "key_handlers.h"
#include "null_platform.h"
#include "platform.h"

void GameFixture::SetUp() {
    gl = std::make_unique<OffscreenGl>(300, 300);
    ASSERT_TRUE(gl->ok()) << gl->error();
    nullPlatformReset();
    resetGameGlobals();
    wireframe = 0;
    workingDir = std::make_unique<WorkingDirGuard>(dir.path());
}

void GameFixture::TearDown() {
    workingDir.reset();
    gl.reset();
}

void GameFixture::writeStage(const std::string& name, const Moves& path,
                             const Moves& stored) const {
    dir.write(name, stageText(path, stored));
}

void GameFixture::deliverMessages() {
    while (platformPeekMessage() && platformPumpMessage()) {
    }
}

void GameFixture::pressKey(std::int32_t virtualKey) {
    nullPressKey(virtualKey);
    deliverMessages();
}

void GameFixture::typeChar(std::int32_t character) {
    nullTypeChar(character, character >= 'A' && character <= 'Z' ? KEY_MOD_SHIFT : 0);
    deliverMessages();
}
