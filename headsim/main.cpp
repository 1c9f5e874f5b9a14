// torvak-headsim: stands in for the adapter and the sensor head on a
// pseudo-terminal, so Torvak can scan a known scene without hardware.
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>

#include "headsim/adapter.h"
#include "headsim/scene.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) { stopRequested = 1; }

struct Options {
  std::string link;
  bool silent = false;
  bool zeros = false;
  int garbageEvery = 0;  // a random byte before about one reply in N
  int delayMs = 0;
  long hangUpAfter = -1;  // frames
  bool log = false;
  headsim::Scene scene = headsim::Scene::kMug;
  std::optional<headsim::Course> cooling;  // --cooling, for the mug
  std::optional<double> fadeSeconds;       // --fade, for the hand print
  std::optional<double> cubeCelsius;       // --cube, the Leslie cube's water
  std::optional<double> heaterCelsius;     // --heater, for the rod
  std::optional<double> diffusivity;       // --diffusivity, the rod's, in cells^2 per second
  headsim::Course course = headsim::kStillMug;  // the scene's, as those options make it
  bool printScene = false;
  bool help = false;
  bool version = false;
  long parentPid = 0;  // --parent: end with that process
};

void Usage(std::FILE* out) {
  std::fputs(
      "Usage: torvak-headsim [OPTION]...\n"
      "Emulates Torvak's serial-to-I2C adapter and sensor head on a pseudo-terminal\n"
      "and prints the terminal's device; ends on SIGINT or SIGTERM.\n"
      "\n"
      "  --link PATH           also makes PATH a link to the device\n"
      "  --log                 prints every frame, the bytes it skipped and the hang-up\n"
      "  --silent              never answers\n"
      "  --zeros               answers every reading with 0\n"
      "  --garbage N           sends a random byte before about one answer in N\n"
      "  --delay MS            answers MS milliseconds late\n"
      "  --hangup-after FRAMES drops the line after FRAMES frames\n"
      "  --scene NAME          what the head looks at: mug (the default), a room at 21\n"
      "                        degrees C with a warm mug, a hot and a cold spot; or\n"
      "                        hand, a table at 21 with a hand print 3 degrees warmer;\n"
      "                        cube, a Leslie cube of hot water showing four faces of\n"
      "                        emissivity 0.95, 0.90, 0.60 and 0.10 side by side; or\n"
      "                        rod, a black metal rod along a row whose left end lies\n"
      "                        on a heater from the start on\n"
      "  --cooling T0,TAU      the mug's centre starts at T0 degrees C and approaches the\n"
      "                        room's 21 with time constant TAU seconds (TAU > 0): it\n"
      "                        cools from above 21 and warms from below it\n"
      "  --fade TAU            the hand print fades into the table with time constant\n"
      "                        TAU seconds (TAU > 0; without it 60)\n"
      "  --cube CELSIUS        the Leslie cube's water is at CELSIUS degrees C\n"
      "                        (without it 70)\n"
      "  --heater CELSIUS      the rod's heater holds CELSIUS degrees C (without it 90)\n"
      "  --diffusivity A       the rod's thermal diffusivity in cells^2 per second\n"
      "                        (A > 0; without it 0.33: the heat spreads about 20\n"
      "                        cells in 5 minutes)\n"
      "  --parent PID          ends when process PID (the one starting it) ends\n"
      "  --print-scene         prints the grid a full scan reads (with --cooling or\n"
      "                        --scene hand or rod: at the start) and ends\n"
      "  --help                prints this help and ends\n"
      "  --version             prints the version and ends\n",
      out);
}

// The scene as the options make it, seconds after the emulator's start.
headsim::SceneMoment MomentAt(const Options& options, double seconds) {
  return {options.scene, headsim::WarmestCelsius(options.course, seconds),
          std::sqrt(options.diffusivity.value_or(headsim::kRodDiffusivity) * seconds)};
}

// The grid a full scan reads; with --cooling, the hand print or the rod, at the emulator's start.
void PrintScene(const Options& options) {
  const headsim::SceneMoment start = MomentAt(options, 0.0);
  for (int row = 31; row >= 0; --row) {
    for (int column = 0; column < 62; ++column) {
      std::printf(column ? ";%d" : "%d", headsim::ExpectedReading(column, row, start));
    }
    std::printf("\n");
  }
}

bool ParseNumber(const char* text, long* value) {
  char* end = nullptr;
  *value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && *value >= 0;
}

// A decimal number above 0 (a time constant, a diffusivity).
bool ParsePositive(const char* text, double* value) {
  char* end = nullptr;
  *value = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(*value) && *value > 0;
}

// A whole or decimal temperature in degrees Celsius, above absolute zero.
bool ParseCelsius(const char* text, double* celsius) {
  char* end = nullptr;
  *celsius = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(*celsius) && *celsius > -273.15;
}

// T0,TAU: two decimal numbers, T0 in degrees Celsius and TAU > 0 in seconds.
bool ParseCooling(const char* text, headsim::Course* course) {
  char* end = nullptr;
  course->startCelsius = std::strtod(text, &end);
  return end != text && *end == ',' && std::isfinite(course->startCelsius) &&
         ParsePositive(end + 1, &course->tauSeconds);
}

constexpr std::pair<const char*, headsim::Scene> kScenes[] = {
    {"mug", headsim::Scene::kMug}, {"hand", headsim::Scene::kHand},
    {"cube", headsim::Scene::kCube}, {"rod", headsim::Scene::kRod}};

bool ParseScene(const std::string& name, headsim::Scene* scene) {
  for (const auto& [known, value] : kScenes) {
    if (name == known) {
      *scene = value;
      return true;
    }
  }
  std::fprintf(stderr, "torvak-headsim: there is no scene \"%s\", only mug, hand, cube and rod\n", name.c_str());
  return false;
}

const char* SceneName(headsim::Scene scene) {
  for (const auto& [name, value] : kScenes) {
    if (value == scene) return name;
  }
  return "";
}

// The options of one scene that take a decimal number.
struct SceneOption {
  const char* name;
  bool (*parse)(const char*, double*);
  std::optional<double> Options::*value;
  headsim::Scene scene;
};
constexpr SceneOption kSceneOptions[] = {
    {"--fade", ParsePositive, &Options::fadeSeconds, headsim::Scene::kHand},
    {"--cube", ParseCelsius, &Options::cubeCelsius, headsim::Scene::kCube},
    {"--heater", ParseCelsius, &Options::heaterCelsius, headsim::Scene::kRod},
    {"--diffusivity", ParsePositive, &Options::diffusivity, headsim::Scene::kRod},
};

const SceneOption* SceneOptionNamed(const std::string& arg) {
  for (const SceneOption& option : kSceneOptions) {
    if (arg == option.name) return &option;
  }
  return nullptr;
}

bool ParseSceneOption(const SceneOption& option, const char* text, Options* options) {
  double value = 0;
  if (!option.parse(text, &value)) return false;
  options->*option.value = value;
  return true;
}

// False after saying why when an option given belongs to another scene.
bool OptionsFitScene(const Options& options) {
  if (options.cooling && options.scene != headsim::Scene::kMug) {
    std::fprintf(stderr, "torvak-headsim: --cooling needs the mug scene\n");
    return false;
  }
  for (const SceneOption& option : kSceneOptions) {
    if ((options.*option.value).has_value() && option.scene != options.scene) {
      std::fprintf(stderr, "torvak-headsim: %s needs --scene %s\n", option.name, SceneName(option.scene));
      return false;
    }
  }
  return true;
}

// The course of the scene's warm part: the mug still unless --cooling moves
// it, the hand print fading as --fade says, the cube's water and the rod's
// heater held where their options put them.
headsim::Course SceneCourse(const Options& options) {
  constexpr double kHeld = std::numeric_limits<double>::infinity();
  switch (options.scene) {
    case headsim::Scene::kHand:
      return {headsim::kHandCelsius, options.fadeSeconds.value_or(headsim::kHandFadeSeconds)};
    case headsim::Scene::kCube:
      return {options.cubeCelsius.value_or(headsim::kCubeCelsius), kHeld};
    case headsim::Scene::kRod:
      return {options.heaterCelsius.value_or(headsim::kHeaterCelsius), kHeld};
    case headsim::Scene::kMug:
      break;
  }
  return options.cooling.value_or(headsim::kStillMug);
}

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    long number = 0;
    headsim::Course course{};
    const bool hasValue = i + 1 < argc;
    if (arg == "--link" && hasValue) {
      options->link = argv[++i];
    } else if (arg == "--log") {
      options->log = true;
    } else if (arg == "--silent") {
      options->silent = true;
    } else if (arg == "--zeros") {
      options->zeros = true;
    } else if (arg == "--garbage" && hasValue && ParseNumber(argv[++i], &number) && number > 0) {
      options->garbageEvery = static_cast<int>(number);
    } else if (arg == "--delay" && hasValue && ParseNumber(argv[++i], &number)) {
      options->delayMs = static_cast<int>(number);
    } else if (arg == "--hangup-after" && hasValue && ParseNumber(argv[++i], &number)) {
      options->hangUpAfter = number;
    } else if (arg == "--cooling" && hasValue && ParseCooling(argv[++i], &course)) {
      options->cooling = course;
    } else if (const SceneOption* option = SceneOptionNamed(arg);
               option && hasValue && ParseSceneOption(*option, argv[++i], options)) {
    } else if (arg == "--scene" && hasValue && ParseScene(argv[++i], &options->scene)) {
    } else if (arg == "--parent" && hasValue && ParseNumber(argv[++i], &number) && number > 0) {
      options->parentPid = number;
    } else if (arg == "--print-scene") {
      options->printScene = true;
    } else if (arg == "--help") {
      options->help = true;
    } else if (arg == "--version") {
      options->version = true;
    } else {
      return false;
    }
  }
  options->course = SceneCourse(*options);
  return OptionsFitScene(*options);
}

// The emulator's end of the line: the pseudo-terminal's master, its device
// (kept open here too, so the line survives the program closing and
// reopening the port; raw, so nothing is echoed) and the device's name.
struct Line {
  int master = -1;
  int deviceFd = -1;
  std::string device;
};

bool OpenPseudoTerminal(Line* line) {
  line->master = posix_openpt(O_RDWR | O_NOCTTY);
  if (line->master < 0 || grantpt(line->master) != 0 || unlockpt(line->master) != 0) {
    return false;
  }
  line->device = ptsname(line->master);
  line->deviceFd = open(line->device.c_str(), O_RDWR | O_NOCTTY);
  termios raw{};
  if (line->deviceFd >= 0 && tcgetattr(line->deviceFd, &raw) == 0) {
    cfmakeraw(&raw);
    tcsetattr(line->deviceFd, TCSANOW, &raw);
  }
  return true;
}

// Opens the line, points --link at its device, lets SIGINT and SIGTERM end
// the serving, and prints the device's name; false after saying why not.
bool SetUpLine(const Options& options, Line* line) {
  if (!OpenPseudoTerminal(line)) {
    std::perror("torvak-headsim: pseudo-terminal");
    return false;
  }
  if (!options.link.empty()) {
    unlink(options.link.c_str());
    if (symlink(line->device.c_str(), options.link.c_str()) != 0) {
      std::perror("torvak-headsim: --link");
      return false;
    }
  }
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  std::printf("%s\n", line->device.c_str());
  std::fflush(stdout);
  return true;
}

void TearDownLine(const Options& options, const Line& line) {
  if (!options.link.empty()) {
    unlink(options.link.c_str());
  }
  close(line.deviceFd);
  close(line.master);
}

void LogLine(const Options& options, const std::string& line) {
  if (options.log) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
}

// What the faults leave of the adapter's answer: 0 for a read when answering
// zeros; false when silent.
bool ApplyFaults(const Options& options, headsim::Frame* frame) {
  if (options.zeros && frame->read) {
    frame->reply = 0;
  }
  return !options.silent;
}

void Reply(int master, const headsim::Frame& frame, const Options& options, std::mt19937& random) {
  if (options.delayMs > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(options.delayMs));
  }
  std::uint8_t bytes[2];
  std::size_t count = 0;
  if (options.garbageEvery > 0 && random() % options.garbageEvery == 0) {
    bytes[count++] = static_cast<std::uint8_t>(random());
  }
  bytes[count++] = frame.reply;
  if (write(master, bytes, count) < 0) {
    std::perror("torvak-headsim: write");
  }
}

// Answers the frames that come over the line, with the faults asked for and
// the scene as it is at that moment since start, until a stop is requested or
// the line hangs up after its frames.
void ServeFrames(int master, const Options& options, std::chrono::steady_clock::time_point start) {
  headsim::EmulatedAdapter adapter;
  std::mt19937 random(1);
  long frames = 0;
  while (!stopRequested && (options.hangUpAfter < 0 || frames < options.hangUpAfter)) {
    pollfd waiting{master, POLLIN, 0};
    if (poll(&waiting, 1, 100) <= 0 || !(waiting.revents & POLLIN)) {
      continue;
    }
    std::uint8_t buffer[256];
    const ssize_t count = read(master, buffer, sizeof buffer);
    const long skippedBefore = adapter.SkippedBytes();
    for (ssize_t i = 0; i < count && frames != options.hangUpAfter; ++i) {
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      adapter.SetScene(MomentAt(options, elapsed.count()));
      headsim::Frame frame;
      if (!adapter.Feed(buffer[i], &frame)) {
        continue;
      }
      ++frames;
      const bool answered = ApplyFaults(options, &frame);
      LogLine(options, frame.Describe() + (answered ? "" : " (no answer)"));
      if (answered) {
        Reply(master, frame, options, random);
      }
    }
    if (adapter.SkippedBytes() > skippedBefore) {
      LogLine(options, "skipped " + std::to_string(adapter.SkippedBytes() - skippedBefore) + " bytes");
    }
  }
  if (frames == options.hangUpAfter) {
    LogLine(options, "hangup");
  }
}

// With --parent, a SIGTERM comes when the parent ends; false if it has
// ended already, before the request could be made.
bool FollowParent(const Options& options) {
  if (options.parentPid == 0) return true;
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  return getppid() == options.parentPid;
}

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    Usage(stderr);
    return 2;
  }
  if (options.help) {
    Usage(stdout);
    return 0;
  }
  if (options.version) {
    std::printf("torvak-headsim %s\n", TORVAK_VERSION);
    return 0;
  }
  if (options.printScene) {
    PrintScene(options);
    return 0;
  }
  Line line;
  if (!FollowParent(options) || !SetUpLine(options, &line)) {
    return 1;
  }
  ServeFrames(line.master, options, start);
  TearDownLine(options, line);
  return 0;
}
