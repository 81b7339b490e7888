#include "launcher/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool ParseInt(const std::string& text, int64_t minimum, int64_t maximum, int64_t& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno || *end || v < minimum || v > maximum) return false;
    out = v;
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    size_t x = text.find_first_of("xX");
    int64_t w, h;
    if (x == std::string::npos || !ParseInt(text.substr(0, x), 320, 16384, w) ||
        !ParseInt(text.substr(x + 1), 200, 16384, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv, std::string& error) {
    CommandLine cl;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = "option '" + arg + "' needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string v;
        int64_t n = 0;
        if (arg == "--help" || arg == "-h") cl.help = true;
        else if (arg == "--version") cl.version = true;
        else if (arg == "--play") cl.play = true;
        else if (arg == "--windowed") cl.windowed = true;
        else if (arg == "--headless") cl.headless = true;
        else if (arg == "--autopilot") cl.autopilot = true;
        else if (arg == "--stats") cl.stats = true;
        else if (arg == "--batch") cl.batch = true;
        else if (arg == "--verify") cl.verify = true;
        else if (arg == "--timings") cl.timings = true;
        else if (arg == "--game") {
            if (!value(cl.game)) return std::nullopt;
        } else if (arg == "--difficulty") {
            if (!value(v)) return std::nullopt;
            if (!ParseInt(v, 0, 4, n)) return error = "--difficulty takes 0 to 4", std::nullopt;
            cl.difficulty = static_cast<int>(n);
        } else if (arg == "--size") {
            if (!value(v)) return std::nullopt;
            if (!ParseSize(v, cl.width, cl.height)) return error = "--size takes WIDTHxHEIGHT, e.g. 1280x720", std::nullopt;
        } else if (arg == "--frames") {
            if (!value(v)) return std::nullopt;
            if (!ParseInt(v, 1, INT64_MAX, n)) return error = "--frames takes a positive number", std::nullopt;
            cl.frames = n;
        } else if (arg == "--fixed-dt") {
            if (!value(v)) return std::nullopt;
            char* end = nullptr;
            cl.fixedDt = std::strtod(v.c_str(), &end);
            if (*end || !(cl.fixedDt > 0 && cl.fixedDt <= 1.0))
                return error = "--fixed-dt takes seconds between 0 and 1", std::nullopt;
        } else if (arg == "--seed") {
            if (!value(v)) return std::nullopt;
            if (!ParseInt(v, 0, UINT32_MAX, n)) return error = "--seed takes a number from 0 to 4294967295", std::nullopt;
            cl.seed = static_cast<uint32_t>(n);
        } else if (arg == "--screenshot") {
            if (!value(cl.screenshot)) return std::nullopt;
        } else if (arg == "--library") {
            if (!value(cl.library)) return std::nullopt;
        } else if (arg == "--sound-capture") {
            if (!value(cl.soundCapture)) return std::nullopt;
        } else if (arg == "--record") {
            if (!value(cl.record)) return std::nullopt;
        } else if (arg == "--replay") {
            if (!value(cl.replay)) return std::nullopt;
        } else if (arg == "--launcher-shots") {
            if (!value(cl.launcherShots)) return std::nullopt;
        } else if (arg == "--demo-after") {
            if (!value(v)) return std::nullopt;
            if (!ParseInt(v, 0, 86400, n)) return error = "--demo-after takes seconds from 0 (never) to 86400", std::nullopt;
            cl.demoAfter = static_cast<double>(n);
        } else {
            error = "unknown option '" + arg + "' (try --help)";
            return std::nullopt;
        }
    }
    const bool oneGame = !cl.game.empty() || cl.difficulty || cl.headless || cl.frames > 0 || cl.fixedDt > 0 ||
                         cl.autopilot || cl.stats || !cl.screenshot.empty() || !cl.soundCapture.empty() ||
                         !cl.record.empty();
    if (oneGame && !cl.play && cl.replay.empty())
        return error = "--game, --difficulty, --headless, --frames, --fixed-dt, --autopilot, --stats, --screenshot, "
                       "--sound-capture and --record need --play (or --replay)",
               std::nullopt;
    if (cl.headless && !cl.screenshot.empty())
        return error = "--screenshot needs a display: a --headless game draws nothing", std::nullopt;
    if (cl.verify && cl.replay.empty()) return error = "--verify needs --replay FILE", std::nullopt;
    if (!cl.replay.empty() && (!cl.record.empty() || cl.autopilot || !cl.game.empty() || cl.difficulty || cl.seed ||
                               cl.frames > 0 || cl.fixedDt > 0))
        return error = "--replay takes the game, its settings, seed, frames and input from the file", std::nullopt;
    return cl;
}

const char* CommandLineHelp() {
    return "Usage: rockpile [OPTION]...\n"
           "A pack of 3D arcade rock-shooting games. Without options the launcher opens.\n"
           "\n"
           "  --play               play one game without the launcher\n"
           "  --game NAME|INDEX    which game: a title such as \"Meteor Marshal\" or 0-3\n"
           "  --difficulty 0-4     difficulty level (default: the stored setting)\n"
           "  --windowed           play in a window\n"
           "  --size WxH           display size, e.g. 1280x720\n"
           "  --headless           no window, sound or input (tests, soak, benchmarks)\n"
           "  --frames N           end the game after N frames\n"
           "  --fixed-dt SECONDS   feed every frame this time step instead of the clock\n"
           "  --seed N             seed the random generator (repeatable runs)\n"
           "  --autopilot          let the computer fly the ship\n"
           "  --stats              print a JSON summary of the game at exit\n"
           "  --screenshot FILE    write the last frame to a PNG file\n"
           "  --library FILE       the game library to use\n"
           "  --sound-capture FILE render the sound mix into a WAV file\n"
           "  --record FILE        record the game into a replay file\n"
           "  --replay FILE        play a recorded game back (with --headless: no window)\n"
           "  --verify             with --replay: exit with an error at the first frame\n"
           "                       whose world state differs from the recording\n"
           "  --demo-after SECONDS launcher: start the demo after this much idle time\n"
           "                       (default 60; 0: never)\n"
           "  --launcher-shots DIR launcher: write a picture of each window and tab, then exit\n"
           "  --timings            launcher: report start-up and Play-to-first-frame times\n"
           "  --batch              never open a dialog; messages go to standard error\n"
           "  --help               show this help and exit\n"
           "  --version            show the version and exit\n";
}
