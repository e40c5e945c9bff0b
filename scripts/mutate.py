#!/usr/bin/env python3
"""Mutation testing: does the test suite notice a fault put into the code?

    scripts/mutate.py [--build DIR] [--only N[,N...]] [--list]

Applies a fixed list of single-point faults to game/, render/, toolkit/ and tools/, one
at a time: each is written into the source, the suite is rebuilt in a build folder of
its own (build-mutants/ by default) and run with ctest, and the source is put back.
A fault is killed when a test fails. A fault whose text is no longer in its file (the
code moved on), or that does not compile, is reported as such and not counted.
The source is restored after each fault, on Ctrl+C and on SIGTERM; a run that was
killed outright restores it at the start of the next.
Not part of CI: a run takes a rebuild and a suite run per fault.
"""

import argparse
import json
import os
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# (file, text, replacement, what the fault is). The text must occur once in the file.
MUTANTS = [
    # Messages, glyphs and the lines of text
    ("game/flow.cpp", '"TURN DOWN"', '"TURN DOWM"', "message typo"),
    ("game/flow.cpp", '"STAGE CLEAR !!"', '"STAGE CLEAR !1"', "message typo"),
    ("game/flow.cpp", '"HIT DIR KEY TO START"', '"HIT DIR KEY TO STORT"', "message typo"),
    ("game/flow.cpp", '"ALL STAGE CLEAR !!"', '"ALL STAGE CLEAR !|"', "message typo"),
    ("render/font_glyphs.cpp", "0xF0, 0xFE, 0xC3, 0xC3, 0xC3, 0xC3, 0xFE}, // 'R'",
     "0xF0, 0xFE, 0xC3, 0xC3, 0xC7, 0xC3, 0xFE}, // 'R'", "glyph byte"),
    ("render/font_glyphs.cpp", "0x67, 0xC3, 0x67, 0x3B, 0x00, 0x00, 0x00, 0x00}, // 'q'",
     "0x67, 0xC3, 0x67, 0x3B, 0x00, 0x00, 0x08, 0x00}, // 'q'", "glyph byte, unused glyph"),
    ("render/font.cpp", "static_cast<float>(GlyphBaseline)", "static_cast<float>(GlyphBaseline - 1)",
     "glyph origin"),
    ("game/frame.cpp", "constexpr float StepFactor = 2.0f;", "constexpr float StepFactor = 3.0f;",
     "top line layout"),
    ("game/frame.cpp", "if (die.steps < 10) {", "if (die.steps < 1) {", "leading zeros"),
    ("game/frame.cpp", "if (stageNumber < 10) {", "if (stageNumber <= 10) {", "leading zeros"),
    ("game/frame.cpp", "-0.5f * static_cast<float>", "-0.4f * static_cast<float>", "centring"),
    ("render/scene.cpp", "constexpr double TextSpanY = 90.0;", "constexpr double TextSpanY = 80.0;",
     "text step"),
    # Light and materials
    ("render/scene.cpp", "{0.4f, 0.4f, 0.4f, 1.0f},", "{0.3f, 0.3f, 0.3f, 1.0f},", "light ambient"),
    ("render/scene.cpp", "    {0.4f, 0.4f, 0.4f, 1.0f},\n    {1.0f, 1.0f, 1.0f, 1.0f},",
     "    {0.4f, 0.4f, 0.4f, 1.0f},\n    {0.8f, 0.8f, 0.8f, 1.0f},", "light diffuse"),
    ("render/scene.cpp", "{0.2f, 0.2f, 1.0f, 0.0f},", "{0.3f, 0.2f, 1.0f, 0.0f},", "light direction"),
    ("render/scene.cpp", "defaultLightModel = {{0.2f, 0.2f, 0.2f, 1.0f}",
     "defaultLightModel = {{0.3f, 0.3f, 0.3f, 1.0f}", "light model ambient"),
    ("render/scene.cpp", "{0.8f, 0.8f, 0.8f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f,",
     "{0.8f, 0.8f, 0.8f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}, 0.0f,", "board specular"),
    ("render/scene.cpp", "0.0f,\n    {0.0f, 0.0f, 0.0f, 1.0f},\n};", "0.0f,\n    {0.1f, 0.1f, 0.1f, 1.0f},\n};",
     "board emission"),
    ("render/die_draw.cpp", "dieBodyColor[3] = {1.0f, 1.0f, 1.0f};",
     "dieBodyColor[3] = {1.0f, 1.0f, 0.9f};", "die colour"),
    ("render/board_draw.cpp", "cellColor[3] = {0.0f, 0.0f, 1.0f};", "cellColor[3] = {0.0f, 0.1f, 1.0f};",
     "cell colour"),
    ("render/scene.cpp", "glPolygonMode(GL_BACK, GL_LINE);", "glPolygonMode(GL_BACK, GL_FILL);",
     "back faces"),
    ("render/scene.cpp", "    glEnable(GL_NORMALIZE);\n", "", "normalisation"),
    # The scene and the die's drawing
    ("render/scene.cpp", "constexpr float TiltStep = 3.0f;", "constexpr float TiltStep = 2.0f;",
     "turning view"),
    ("render/scene.cpp", "glTranslatef(-BoardCentre, -BoardCentre, BoardViewDepth);",
     "glTranslatef(-BoardCentre, -BoardCentre + 0.1f, BoardViewDepth);", "fixed view"),
    ("render/board_draw.cpp", "{3, {{0.3, 0.3}, {0.5, 0.5}, {0.7, 0.7}}},",
     "{3, {{0.3, 0.7}, {0.5, 0.5}, {0.7, 0.3}}},", "mark layout"),
    ("render/board_draw.cpp", "constexpr double CellMargin = 0.05;", "constexpr double CellMargin = 0.08;",
     "cell gaps"),
    ("render/face_look.h", "{0.0f, 0.2f, 0.15f, 0.1f,", "{0.0f, 0.2f, 0.12f, 0.1f,", "mark size"),
    ("render/die_draw.cpp", "faceCyan, faceMagenta, faceBlack,", "faceMagenta, faceCyan, faceBlack,",
     "pip colours"),
    ("render/die_draw.cpp", "constexpr float PipHeight = 0.1f;", "constexpr float PipHeight = 0.05f;",
     "pip height"),
    ("game/frame.cpp", "glRotatef(die.angleY, 0.0f, 1.0f, 0.0f);", "glRotatef(-die.angleY, 0.0f, 1.0f, 0.0f);",
     "roll pose"),
    # The rules
    ("game/die.cpp", "turnFaces(d.top, d.south, d.bottom, d.north);",
     "turnFaces(d.top, d.north, d.bottom, d.south);", "roll faces"),
    ("game/die.cpp", "if (d.steps < MaxSteps) {", "if (d.steps + 1 < MaxSteps) {", "step count"),
    ("game/die.cpp", "d.west = 3;", "d.west = 4;", "reset faces"),
    ("game/roll_rule.cpp", "if (last == oppositeDirection(dir)) {", "if (last == dir) {", "go back"),
    ("game/flow.cpp", "    } else if (keyY < 0) {", "    }\n    if (keyY < 0) {", "judging order"),
    ("game/flow.cpp", "constexpr float RollStep = 15.0f;", "constexpr float RollStep = 18.0f;", "roll speed"),
    ("game/flow.cpp", "theta = die.angleX + 45.0;", "theta = die.angleX + 40.0;", "roll pose"),
    ("game/flow.h", "ClearFrameCount = 10;", "ClearFrameCount = 9;", "clear frames"),
    ("game/flow.cpp", "        replayIndex = 0;\n    }\n}", "        replayIndex = 0;\n        resetDie(die);\n    }\n}",
     "demo loop"),
    ("game/flow.cpp", "message = MsgGiveUp;", "message = MsgStart;", "give up"),
    ("game/flow.cpp", "} else if (stageNumber < LastStage) {", "} else if (stageNumber <= LastStage) {",
     "last stage"),
    ("game/key_handlers.cpp", "keyY = -1;", "keyY = 1;", "key request"),
    ("game/key_handlers.cpp", "{'G', onGiveUpKey},", "{'H', onGiveUpKey},", "key binding"),
    ("game/key_handlers.cpp", "        glDisable(GL_DEPTH_TEST);\n", "", "wireframe"),
    ("game/startup.cpp", "arg == nullptr || arg[0] == '/'", "arg == nullptr", "switches"),
    # Stage files
    ("game/stage.cpp", "slots.board[i / BoardSize][i % BoardSize]", "slots.board[i % BoardSize][i / BoardSize]",
     "board order"),
    ("game/stage.cpp", "wanted < MaxMoves ? wanted : MaxMoves", "wanted < MaxMoves ? wanted : MaxMoves - 1",
     "move count"),
    ("game/stage.cpp", "    cameraSpin = 0.0f;\n", "", "camera reset"),
    ("game/number_scanner.cpp", "digitValue(peek(at + 2), 16) >= 0", "digitValue(peek(at + 2), 16) > 0",
     "hex number with a first digit 0"),
    ("game/number_scanner.cpp", "        base = 8;", "        base = 10;", "octal"),
    ("game/number_scanner.cpp", "if (sign == '-') {", "if (sign == '+') {", "sign"),
    ("game/number_scanner.cpp", "++place_.line;", "place_.line += 2;", "line count"),
    # The toolkit
    ("toolkit/app.cpp", "        platformSleepNs(wait);\n", "", "pacing off in the swap"),
    ("toolkit/frame_pacer.cpp", "pacer.deadlineNs += FramePeriodNs;", "pacer.deadlineNs = nowNs + FramePeriodNs;",
     "pacing drift"),
    ("toolkit/frame_pacer.h", "1000000000 / 60 + 1", "1000000000 / 50 + 1", "frame rate"),
    ("toolkit/window_proc.cpp", "character >= 'a' && character <= 'z'", "character >= 'a' && character <= 'y'",
     "character range"),
    ("toolkit/window_proc.cpp", "    case VK_RETURN_KEY:\n    case VK_ESCAPE_KEY:", "    case VK_ESCAPE_KEY:",
     "key translation"),
    ("toolkit/app.cpp", "for (std::int32_t i = 0; i < keyBindingCount; ++i) {",
     "for (std::int32_t i = 1; i < keyBindingCount; ++i) {", "key dispatch"),
    ("toolkit/window.cpp", "while (platformPeekMessage()) {", "if (platformPeekMessage()) {", "event loop"),
    ("toolkit/window.cpp", "std::int64_t{x} + m.frameWidth", "std::int64_t{x} - m.frameWidth",
     "window position"),
    ("toolkit/pixel_format.cpp", "r.depthBits = 16;", "r.depthBits = 24;", "pixel format"),
    ("toolkit/platform/sdl2/sdl2_events.cpp", "case SDL_BUTTON_RIGHT:\n        return 2;",
     "case SDL_BUTTON_RIGHT:\n        return 4;", "SDL2 right button"),
    ("toolkit/platform/sdl2/sdl2_events.cpp", "send(WmSize, 0, 0);", "sendClientSize();", "SDL2 minimise"),
    ("toolkit/platform/sdl2/sdl2_events.cpp", "    case SDLK_SPACE:\n        return VK_SPACE_KEY;\n", "",
     "SDL2 key"),
    # The stage tool
    ("tools/stage_solver.cpp", "s.y = static_cast<std::uint32_t>(cell % BoardSize);",
     "s.y = static_cast<std::uint32_t>(cell / BoardSize);", "solver state"),
    ("tools/stage_solver.cpp", "if (known < 0) {", "if (known <= 0) {", "solver orientations"),
    # The rules' newer code: the stage tool's figures and targets, special files, the
    # reading limit, the data folder and the stage tool's diagnostics
    ("tools/stage_solver.cpp", ": static_cast<std::uint32_t>(a.rollsLeft[t]) + 1;",
     ": static_cast<std::uint32_t>(a.rollsLeft[t]);", "trap depth"),
    ("tools/stage_solver.cpp", "a.rollsLeft[s] = RollsForever;", "a.rollsLeft[s] += 0;", "looping trap"),
    ("tools/stage_solver.cpp", "return static_cast<std::uint32_t>(region.size());",
     "return static_cast<std::uint32_t>(region.size() - 1);", "dead region size"),
    ("tools/stage_solver.cpp", "2 * f.trapRolls", "3 * f.trapRolls", "difficulty"),
    ("tools/stage_solver.cpp", "w.depth == LoopingTrap ? w.deadStates : w.depth - 1",
     "w.depth == LoopingTrap ? 0 : w.depth - 1", "a looping trap's rolls"),
    ("tools/stage_solver.cpp", "} else if (t.depth > traps.back().depth) {",
     "} else if (t.depth < traps.back().depth) {", "a trap's deepest wrong turn"),
    ("tools/stage_generator.cpp", "shallow += below(f.deepest[i], t.minDepths[i]);",
     "shallow += below(f.deepest[0], t.minDepths[i]);", "depth targets"),
    ("tools/stage_generator.cpp", "if (!f.solvable || f.deepest[0] == LoopingTrap) {",
     "if (!f.solvable) {", "looping traps generated"),
    ("tools/stage_generator.cpp", "t.unique ? static_cast", "false ? static_cast", "unique target"),
    ("game/regular_file.cpp", "        opened.notRegular = true;\n        return opened;\n    }\n    // Without",
     "        return opened;\n    }\n    // Without", "special file's reason"),
    ("game/number_scanner.cpp", "room < bytesLeft_ ? room : bytesLeft_", "room", "reading limit"),
    ("game/data_folder.cpp", "chosen != nullptr && isFolder(chosen)", "chosen != nullptr",
     "data folder override"),
    ("game/data_folder.cpp", "{folder / PELMAR_DATA_RELATIVE, folder / \"share\" / \"pelmar\"}",
     "{folder / \"share\" / \"pelmar\"}", "installed data folder"),
    ("tools/pelmar_stage.cpp", '":" + std::to_string(p.line) + ":" + std::to_string(p.column)',
     '":" + std::to_string(p.column) + ":" + std::to_string(p.line)', "diagnostic place"),
    ("tools/pelmar_stage.cpp", 'failure ? "error" : "warning"', 'failure ? "warning" : "error"',
     "diagnostic severity"),
    # The toolkit's palette: the window's palette, the system colours, the description of
    # the format, the palette messages and the retry deferred to the next frame
    ("toolkit/window_palette.cpp", " ||\n                                     (w.displayMode & MODE_SYSTEM_PALETTE) != 0;",
     ";", "system-palette mode asked for"),
    ("toolkit/window_palette.cpp", "{0, 0, 0, PC_RESERVED_FLAG | PC_NOCOLLAPSE_FLAG}",
     "{0, 0, 0, PC_NOCOLLAPSE_FLAG}", "flush entries"),
    ("toolkit/window_palette.cpp", "        background = 0; // a shared palette", "        // a shared palette",
     "shared palette in the background"),
    ("toolkit/window_palette.cpp", "!paletteState.systemColorsTaken ? 1 : 0", "!paletteState.systemColorsTaken ? 0 : 1",
     "rebuilt palette's ground"),
    ("toolkit/window_palette.cpp", "realizeWindowPalette(w.dc, stock, 1);", "realizeWindowPalette(w.dc, stock, 0);",
     "stock palette at teardown"),
    ("toolkit/system_colors.cpp", "        platformYieldTimeSlice();\n", "", "yield before the retry"),
    ("toolkit/system_colors.cpp",
     "    platformSetSysColors(count, systemColorElements, p.savedSystemColors);\n"
     "    platformSetSystemPaletteUse(dc, SYSPAL_STATIC_USE);\n",
     "    platformSetSystemPaletteUse(dc, SYSPAL_STATIC_USE);\n"
     "    platformSetSysColors(count, systemColorElements, p.savedSystemColors);\n", "restore order"),
    ("toolkit/system_colors.cpp", "std::clamp(windowState.systemColorCount, 0, SystemColorCount)",
     "SystemColorCount", "system colour count"),
    ("toolkit/system_colors.cpp", "if (!platformUserMessageWaiting(windowState.window)) {", "if (true) {",
     "one retry waiting"),
    ("toolkit/system_colors.cpp", "text, sizeof text, length)", "text, sizeof text - 1, length)",
     "colour setting buffer"),
    ("toolkit/pixel_format.cpp", '"Could not get pixel format for Dc', '"Could not get pixel format for DC',
     "message typo"),
    ("toolkit/pixel_format.cpp", '"Could not get a description of pixel format %d\\n"',
     '"Could not get a description of pixel format %d \\n"', "message typo"),
    ("toolkit/window_proc.cpp", "    case WmQueryNewPalette:\n        return handled(1);",
     "    case WmQueryNewPalette:\n        return handled(0);", "palette query result"),
    ("toolkit/window_proc.cpp", "if (msg.c == 0 && !paletteState", "if (!paletteState", "own palette change"),
    ("toolkit/window.cpp", "                postDeferredPaletteRetry();\n", "", "retry after the frame"),
    # The drawing, the game's start-up and keys, and the SDL2 platform's end
    ("render/display_list.h", "        list = glGenLists(1);\n        stale = true;\n",
     "        list = glGenLists(1);\n", "a new display list left empty"),
    ("render/board_draw.cpp", "sizeof Board) != 0;", "sizeof Board) == 0;", "changed board not compiled anew"),
    ("render/scene.cpp", "    forgetBoardList();\n", "", "board list kept from an old context"),
    ("render/scene.cpp", "    forgetDieLists();\n", "", "die lists kept from an old context"),
    ("render/die_draw.cpp", "return isFaceValue(v) ? v : 0;", "return isFaceValue(v) ? 1 : 0;", "die list key"),
    ("render/font.cpp", "if (c >= FirstGlyph && c <= LastGlyph) {", "if (c <= LastGlyph) {",
     "bytes below the glyphs"),
    ("render/scene.cpp", "current == PhaseTitle || current == PhaseReplay", "current == PhaseTitle",
     "the replay's turning view"),
    ("toolkit/platform/sdl2/sdl2_display_lost.cpp", "_exit(1);", "_exit(0);", "lost display status"),
    ("toolkit/platform/sdl2/sdl2_display_lost.cpp", "XSetIOErrorHandler(displayLost);",
     "XSetIOErrorHandler(nullptr);", "lost display handler"),
    ("toolkit/platform/sdl2/sdl2_events.cpp",
     "    case SDL_QUIT: // the last window's close box, or a terminal's interrupt\n        send(WmClose);\n"
     "        break;\n", "", "quit event: close box and signals"),
    ("game/main.cpp", 'std::printf("pelmar %s\\n", PELMAR_VERSION);', 'std::printf("pelmar%s\\n", PELMAR_VERSION);',
     "version text"),
    ("game/main.cpp", 'dataFolder.empty() ? "(none found)" : dataFolder.c_str()', '"(none found)"',
     "data folder in the help"),
    ("game/startup.cpp", "    appSetReshapeHandler(reshape);\n", "", "reshape handler"),
    ("game/startup.cpp", "    loadStage();\n", "", "title stage"),
    ("game/key_handlers.cpp", "    gameStep();\n}", "}", "wireframe frame at once"),
]


class Source:
    """The files of the checkout a fault is written into, with a backup on disk so that a
    run killed outright can be undone by the next one."""

    def __init__(self, backup_path):
        self.backup_path = backup_path
        self.restore()

    def write(self, path, text):
        full = os.path.join(ROOT, path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        with open(self.backup_path, "w", encoding="utf-8") as f:
            json.dump({"path": full, "text": original}, f)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text(original))

    def restore(self):
        if not os.path.exists(self.backup_path):
            return
        with open(self.backup_path, encoding="utf-8") as f:
            saved = json.load(f)
        with open(saved["path"], "w", encoding="utf-8") as f:
            f.write(saved["text"])
        os.remove(self.backup_path)


def run(command, log):
    """Runs a command with its output in the log; True when it succeeds."""
    with open(log, "a", encoding="utf-8") as out:
        out.write("\n$ " + " ".join(command) + "\n")
        out.flush()
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT).returncode == 0


def failed_tests(log):
    """The tests that the last ctest run in the log names as failed."""
    with open(log, encoding="utf-8") as f:
        text = f.read()
    listed = text[text.rfind("The following tests FAILED:"):].splitlines()[1:]
    return [line.split(" - ")[1].split(" (")[0] for line in listed if " - " in line]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mutants"))
    parser.add_argument("--only", help="comma-separated fault numbers (from --list)")
    parser.add_argument("--list", action="store_true", help="list the faults and stop")
    parser.add_argument("--which", action="store_true",
                        help="run every test for each fault and name the tests that fail")
    args = parser.parse_args()

    if args.list:
        for n, (path, _, _, what) in enumerate(MUTANTS, 1):
            print(f"{n:3} {path}: {what}")
        return 0
    chosen = range(1, len(MUTANTS) + 1)
    if args.only:
        chosen = [int(n) for n in args.only.split(",")]

    os.makedirs(args.build, exist_ok=True)
    log = os.path.join(args.build, "mutate.log")
    source = Source(os.path.join(args.build, "mutant-backup.json"))
    # SIGTERM ends the run like Ctrl+C does, through the restoring finally below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))

    # Warnings must not kill a fault: a build without -Werror.
    if not run(["cmake", "-S", ROOT, "-B", args.build, "-G", "Ninja", "-DPELMAR_WERROR=OFF",
                "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], log) or \
            not run(["cmake", "--build", args.build, "-j", "2"], log):
        print(f"the unchanged code does not build; see {log}")
        return 2
    ctest = ["ctest", "--test-dir", args.build, "-j", "2", "--timeout", "120", "-E", "^clang_format$"]
    if not args.which:
        ctest.append("--stop-on-failure")
    if not run(ctest, log):
        print(f"the suite fails on the unchanged code; see {log}")
        return 2

    killed, survived, stale = [], [], []
    try:
        for n in chosen:
            path, old, new, what = MUTANTS[n - 1]
            label = f"{n:3} {path}: {what}"
            with open(os.path.join(ROOT, path), encoding="utf-8") as f:
                found = f.read().count(old)
            if found != 1:
                print(f"{label}: does not apply any more ({found} matches of its text)")
                stale.append(n)
                continue
            start = time.time()
            source.write(path, lambda text: text.replace(old, new))
            try:
                built = run(["cmake", "--build", args.build, "-j", "2"], log)
                passed = built and run(ctest, log)
            finally:
                source.restore()
            took = f"[{time.time() - start:.0f} s]"
            if not built:
                # A fault that does not compile says nothing about the tests.
                print(f"{label}: does not build, not counted {took}", flush=True)
                stale.append(n)
                continue
            print(f"{label}: {'SURVIVED' if passed else 'killed'} {took}", flush=True)
            if args.which and not passed:
                print("      by " + " ".join(failed_tests(log)), flush=True)
            (survived if passed else killed).append(n)
    except (KeyboardInterrupt, SystemExit):
        print("interrupted; the source is restored")
        return 130
    finally:
        source.restore()

    applied = len(killed) + len(survived)
    score = 100.0 * len(killed) / applied if applied else 0.0
    print(f"mutation score: {len(killed)} of {applied} faults killed ({score:.0f}%)"
          + (f"; {len(stale)} not counted" if stale else ""))
    if survived:
        print("survived: " + ", ".join(str(n) for n in survived))
    # The build folder holds the last fault's objects; rebuild it from the real code.
    run(["cmake", "--build", args.build, "-j", "2"], log)
    return 0


if __name__ == "__main__":
    sys.exit(main())
