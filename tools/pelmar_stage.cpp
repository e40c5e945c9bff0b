// pelmar-stage: the stage author's tool. Checks, solves, shows, tabulates and
// generates stage files with the game's own die, reader and rule.
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "stage_check.h"
#include "stage_generator.h"
#include "stage_text.h"

#ifndef PELMAR_VERSION
#define PELMAR_VERSION "unknown"
#endif

namespace {

// Exit codes.
constexpr int ExitFine = 0;
constexpr int ExitFailed = 1; // a stage fails its check, has no solution, or was not found
constexpr int ExitUsage = 2;  // bad usage, or a file that cannot be read or written

const char* const helpText = R"(usage: pelmar-stage COMMAND [OPTIONS] [FILE...]

Commands:
  check [--strict] [--demo] FILE...
        Reports on stderr, as FILE:LINE:COLUMN: error: (or warning:) TEXT,
        whatever the game's reader would silently ignore or keep: too few numbers
        (a failure: the game would keep the previous stage's values), text that is
        not a number, cell values outside 0 to 6, a move count above 256, codes that
        name no roll, numbers run together or too large, and anything after the last
        move. Then whether the stage can be solved, whether the stored moves are
        legal and end on the goal (and are a shortest solution), and the stage's
        figures.
        A file named stage0.stg, or any file with --demo, is checked as the title
        demo instead: its moves must be legal from the start, also across the seam
        where the list starts over, and bring the die back onto (0, 0) lying as it
        was reset, since the demo repeats the list without resetting the die.
        Fails when a stage cannot be solved or its stored moves do not solve it
        (a demo: when its loop is not legal). --strict fails on warnings too,
        and on a stored solution that is not a shortest one.
  solve FILE
        Prints a shortest solution as arrows and as direction codes, and draws it
        on the board.
  show FILE
        Draws the board as the player sees it, row 5 at the top.
  table FILE...
        Prints a Markdown table of the stages' figures, in the order of the numbers
        in their names, with the title demo described under it.
  generate [OPTIONS]
        Searches for a new stage that meets the targets and writes it in the stage
        format, with a shortest solution as its move list; says how long it took.
        The search keeps a route from the start to the goal and grows traps off it;
        it never makes a trap that loops.
          --seed N            where the search starts (default: from the clock)
          --min-length N      shortest solution at least N moves (default 16)
          --max-length N      ... at most N moves
          --min-traps N       at least N traps (default 4)
          --max-traps N       at most N traps
          --min-depths A[,B[,C]]
                              the deepest trap at least A rolls deep, the
                              second deepest at least B, the third at least C
          --unique            exactly one shortest solution
          --min-difficulty N  difficulty at least N
          --max-difficulty N  difficulty at most N
          --demo              a title demo instead: a loop over the board of at
                              least --min-length moves (default 32), entering no
                              cell twice
          --time-limit S      give up after S seconds (default 60)
          --max-boards N      give up after N boards (default 5000000)
          --output FILE       write FILE (never over an existing file unless
                              --force) instead of standard output
        With a seed, the same options give the same stage, unless the time limit
        ends the search first.
  help, --help
        This text.
  --version
        The version.

Figures, all exact (the solver tries every state of play: the die's cell, how it
lies, and its last roll, which the go-back rule needs):
  shortest            moves of a shortest solution
  shortest solutions  distinct move lists of that length that reach the goal
  reachable states    states the die can reach from the start by legal rolls
  dead states         reachable states from which the goal cannot be reached
  decision points     states on the stored solution with two or more legal rolls
  traps               decision points where a legal roll off the solution leads
                      into a dead state
  trap depth          the most rolls the player can make after such a wrong turn,
                      the wrong turn included, before the die is stuck ("loops"
                      when the die can circle there for ever); check lists every
                      wrong turn with its depth and the dead states beyond it
  difficulty          shortest + 2 x decision points + 3 x traps
                      + 2 x the traps' rolls beyond the wrong turn (a trap that
                      loops: as many as its dead states) + dead states / 2
                      (rounded down)

Exit status: 0 fine, 1 a stage fails its check (or has no solution, or generate
found none), 2 bad usage or a file that cannot be read or written.
)";

int usageError(const std::string& text) {
    std::fprintf(stderr, "pelmar-stage: %s\nTry 'pelmar-stage --help'.\n", text.c_str());
    return ExitUsage;
}

bool parseNumber(const char* text, std::uint64_t& out) {
    if (text == nullptr || *text < '0' || *text > '9') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    out = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0';
}

bool parseSeconds(const char* text, double& out) {
    if (text == nullptr) {
        return false;
    }
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out > 0.0 && out < 1e9;
}

// "7", "7,5" or "7,5,4": the depths the deepest traps must reach, deepest first.
bool parseDepths(const char* text, std::array<std::uint32_t, 3>& out) {
    std::array<std::uint32_t, 3> depths{};
    std::string rest = text == nullptr ? "" : text;
    for (std::uint32_t& depth : depths) {
        const std::size_t comma = rest.find(',');
        std::uint64_t n = 0;
        if (!parseNumber(rest.substr(0, comma).c_str(), n) || n > std::uint64_t{CellCount} * 120) {
            return false;
        }
        depth = static_cast<std::uint32_t>(n);
        if (comma == std::string::npos) {
            out = depths;
            return true;
        }
        rest.erase(0, comma + 1);
    }
    return false;
}

// A finding on stderr in the form compilers use, which editors can jump to.
void diagnose(const char* path, const SourcePlace& p, bool failure, const std::string& text) {
    const std::string place =
        p.line == 0 ? "" : ":" + std::to_string(p.line) + ":" + std::to_string(p.column);
    std::fprintf(stderr, "%s%s: %s: %s\n", path, place.c_str(), failure ? "error" : "warning",
                 text.c_str());
}

// Reads and checks one file, printing its report; returns its exit status.
int checkOne(const char* path, bool demo, bool strict, StageAnalysis& a) {
    const StageReport r = checkStageFile(path, demo, a);
    if (!r.opened) {
        diagnose(path, {0, 0}, true, "cannot be read: " + r.openError);
        return ExitUsage;
    }
    const bool ok = passesCheck(r, strict);
    std::printf("%s: %s%s\n", path, ok ? "ok" : "FAILED", r.demo ? " (title demo)" : "");
    std::fflush(stdout); // the result line before its findings, where both go to one place
    for (const Finding& f : r.findings) {
        diagnose(path, f.place, f.failure, f.text);
    }
    if (r.demo) {
        if (r.loopCells > 0) {
            std::printf("  a loop of %zu moves over %u cells, legal also across its seam\n",
                        r.measuredRoute.size(), r.loopCells);
        }
    } else if (a.solvable) {
        std::printf("  stored moves: %s\n",
                    r.storedShortest ? "legal, end on the goal, a shortest solution"
                    : r.storedSolves ? "legal, end on the goal"
                                     : "do not solve the stage; figures below follow a "
                                       "shortest solution");
        const std::string figures = figuresText(r.figures) +
                                    wrongTurnsText(wrongTurns(a, r.measuredRoute), r.measuredRoute);
        for (std::size_t at = 0, end = 0; at < figures.size(); at = end + 1) {
            end = std::min(figures.find('\n', at), figures.size());
            std::printf("  %s\n", figures.substr(at, end - at).c_str());
        }
    }
    return ok ? ExitFine : ExitFailed;
}

int runCheck(int argc, char** argv) {
    bool strict = false;
    bool demo = false;
    std::vector<const char*> files;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--strict") == 0) {
            strict = true;
        } else if (std::strcmp(argv[i], "--demo") == 0) {
            demo = true;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return usageError(std::string("check: unknown option ") + argv[i]);
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        return usageError("check: no stage file given");
    }
    auto a = std::make_unique<StageAnalysis>();
    int status = ExitFine;
    for (const char* path : files) {
        const int one = checkOne(path, demo || isDemoFileName(path), strict, *a);
        status = one > status ? one : status;
    }
    return status;
}

// The single stage file that solve and show take, read and checked.
struct OneStage {
    std::unique_ptr<StageReport> report = std::make_unique<StageReport>();
    std::unique_ptr<StageAnalysis> analysis = std::make_unique<StageAnalysis>();
    int status = ExitFine; // otherwise the file cannot be used, and the message is out
};

// Reads the file, noting on stderr when it has problems that check would list.
OneStage readOneStage(int argc, char** argv, const char* command) {
    OneStage one;
    if (argc != 1 || argv[0][0] == '-') {
        one.status = usageError(std::string(command) + ": give exactly one stage file");
        return one;
    }
    *one.report = checkStageFile(argv[0], isDemoFileName(argv[0]), *one.analysis);
    if (!one.report->opened) {
        diagnose(argv[0], {0, 0}, true, "cannot be read: " + one.report->openError);
        one.status = ExitUsage;
        return one;
    }
    for (const Finding& f : one.report->findings) {
        if (f.place.line != 0) {
            diagnose(argv[0], {0, 0}, false,
                     "the file has problems; 'pelmar-stage check' lists them");
            break;
        }
    }
    return one;
}

int runShow(int argc, char** argv) {
    const OneStage one = readOneStage(argc, argv, "show");
    if (one.status == ExitFine) {
        std::printf("%s\n%s", argv[0], drawBoard(one.report->board).c_str());
    }
    return one.status;
}

int runSolve(int argc, char** argv) {
    const OneStage one = readOneStage(argc, argv, "solve");
    if (one.status != ExitFine) {
        return one.status;
    }
    const StageAnalysis* a = one.analysis.get();
    if (!a->solvable) {
        std::printf("%s: no solution (%u reachable states, none on the goal)\n", argv[0],
                    a->reachable);
        return ExitFailed;
    }
    const std::vector<std::int32_t> route = shortestSolution(*a);
    std::printf("%s: a shortest solution, %zu moves (%s)\n", argv[0], route.size(),
                a->solutions == 1 ? "the only one" : "one of several");
    std::printf("arrows: %s\ncodes:  %s\n%s", routeArrows(route).c_str(), routeCodes(route).c_str(),
                drawRoute(one.report->board, route).c_str());
    return ExitFine;
}

int runTable(int argc, char** argv) {
    if (argc == 0) {
        return usageError("table: no stage file given");
    }
    auto a = std::make_unique<StageAnalysis>();
    std::vector<TableRow> rows;
    int status = ExitFine;
    for (int i = 0; i < argc; ++i) {
        std::string name = argv[i];
        name = name.substr(name.find_last_of("/\\") + 1);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".stg") == 0) {
            name.resize(name.size() - 4);
        }
        TableRow row{name, checkStageFile(argv[i], isDemoFileName(argv[i]), *a)};
        if (!row.report.opened) {
            diagnose(argv[i], {0, 0}, true, "cannot be read: " + row.report.openError);
            status = ExitUsage;
            continue;
        }
        if (!passesCheck(row.report, false) && status == ExitFine) {
            status = ExitFailed;
        }
        rows.push_back(std::move(row));
    }
    std::printf("%s", stageTable(std::move(rows)).c_str());
    return status;
}

struct GenerateOptions {
    std::uint64_t seed = 0;
    bool seedGiven = false;
    bool demo = false;
    bool force = false;
    bool lengthGiven = false;
    const char* output = nullptr;
    StageTargets targets;
    SearchLimits limits;
};

// Parses generate's options; false (with the message printed) on a bad one.
bool parseGenerate(int argc, char** argv, GenerateOptions& o) {
    for (int i = 0; i < argc; ++i) {
        const std::string opt = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        std::uint64_t n = 0;
        const auto number = [&](std::uint32_t& into) {
            if (!parseNumber(value, n) || n >= NoLimit) {
                usageError("generate: " + opt + " needs a whole number");
                return false;
            }
            into = static_cast<std::uint32_t>(n);
            ++i;
            return true;
        };
        bool ok = true;
        if (opt == "--seed") {
            ok = parseNumber(value, o.seed) ||
                 (usageError("generate: --seed needs a number"), false);
            o.seedGiven = true;
            ++i;
        } else if (opt == "--min-length") {
            ok = number(o.targets.minLength);
            o.lengthGiven = true;
        } else if (opt == "--max-length") {
            ok = number(o.targets.maxLength);
        } else if (opt == "--min-traps") {
            ok = number(o.targets.minTraps);
        } else if (opt == "--max-traps") {
            ok = number(o.targets.maxTraps);
        } else if (opt == "--min-difficulty") {
            ok = number(o.targets.minDifficulty);
        } else if (opt == "--max-difficulty") {
            ok = number(o.targets.maxDifficulty);
        } else if (opt == "--min-depths") {
            ok = parseDepths(value, o.targets.minDepths) ||
                 (usageError("generate: --min-depths needs one to three whole numbers, "
                             "separated by commas"),
                  false);
            ++i;
        } else if (opt == "--unique") {
            o.targets.unique = true;
        } else if (opt == "--demo") {
            o.demo = true;
        } else if (opt == "--force") {
            o.force = true;
        } else if (opt == "--time-limit") {
            ok = parseSeconds(value, o.limits.seconds) ||
                 (usageError("generate: --time-limit needs a number of seconds"), false);
            ++i;
        } else if (opt == "--max-boards") {
            ok = (parseNumber(value, o.limits.maxBoards) && o.limits.maxBoards > 0) ||
                 (usageError("generate: --max-boards needs a whole number"), false);
            ++i;
        } else if (opt == "--output" || opt == "-o") {
            ok = value != nullptr || (usageError("generate: --output needs a file"), false);
            o.output = value;
            ++i;
        } else {
            ok = (usageError("generate: unknown option " + opt), false);
        }
        if (!ok) {
            return false;
        }
    }
    if (o.demo && !o.lengthGiven) {
        o.targets.minLength = 32;
    }
    // Targets that contradict each other would only spend the whole time limit.
    const StageTargets& t = o.targets;
    if (t.minLength > t.maxLength || t.minTraps > t.maxTraps || t.minDifficulty > t.maxDifficulty) {
        usageError("generate: a --min-... target is above its --max-... target");
        return false;
    }
    return true;
}

// Writes the stage text to `path`, never over an existing file unless `force`.
bool writeStage(const char* path, const std::string& text, bool force) {
    std::FILE* out = std::fopen(path, force ? "w" : "wx");
    if (out == nullptr) {
        std::fprintf(stderr, "generate: cannot write %s: %s%s\n", path, std::strerror(errno),
                     errno == EEXIST ? " (--force replaces it)" : "");
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "generate: writing %s failed\n", path);
        return false;
    }
    return true;
}

int runGenerate(int argc, char** argv) {
    GenerateOptions o;
    if (!parseGenerate(argc, argv, o)) {
        return ExitUsage;
    }
    if (!o.seedGiven) {
        o.seed = static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count() & 0xffffffffffffULL);
    }
    const GeneratedStage g = o.demo ? generateDemo(o.seed, o.targets.minLength, o.limits)
                                    : generateStage(o.seed, o.targets, o.limits);
    const std::string tries = std::to_string(g.tries) + (o.demo ? " steps" : " boards");
    if (!g.found) {
        std::fprintf(stderr,
                     "generate: seed %llu: nothing met the targets in %.2f s (%s tried); "
                     "try another seed, looser targets or a longer --time-limit\n",
                     static_cast<unsigned long long>(o.seed), g.seconds, tries.c_str());
        if (!o.demo && g.figures.solvable) {
            std::fprintf(stderr, "the closest board had: %s", figuresText(g.figures).c_str());
        }
        return ExitFailed;
    }
    const std::string text = stageFileText(g.board, g.moves);
    if (o.output != nullptr) {
        if (!writeStage(o.output, text, o.force)) {
            return ExitUsage;
        }
    } else {
        std::fputs(text.c_str(), stdout);
    }
    std::fprintf(stderr, "generate: seed %llu: found in %.3f s (%s tried)\n",
                 static_cast<unsigned long long>(o.seed), g.seconds, tries.c_str());
    if (!o.demo) {
        std::fprintf(stderr, "%s", figuresText(g.figures).c_str());
    }
    return ExitFine;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return usageError("no command given");
    }
    const std::string command = argv[1];
    if (command == "help" || command == "--help" || command == "-h") {
        std::fputs(helpText, stdout);
        return ExitFine;
    }
    if (command == "--version") {
        std::printf("pelmar-stage %s\n", PELMAR_VERSION);
        return ExitFine;
    }
    const int rest = argc - 2;
    char** args = argv + 2;
    if (command == "check") {
        return runCheck(rest, args);
    }
    if (command == "solve") {
        return runSolve(rest, args);
    }
    if (command == "show") {
        return runShow(rest, args);
    }
    if (command == "table") {
        return runTable(rest, args);
    }
    if (command == "generate") {
        return runGenerate(rest, args);
    }
    return usageError("unknown command '" + command + "'");
}
