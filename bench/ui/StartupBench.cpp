// Start-up of the game, from process start to its first shown frame: the
// game window with its new game and the 1000 market rows painted, beside
// the same measure for an empty QMainWindow of the same executable (the
// floor: process creation, dynamic loading of the same libraries,
// QApplication, the platform plugin and one painted frame) and for that
// window showing one line of Japanese text (the floor of any window with
// Japanese text: the font database and the fallback fonts it needs).
//
// Each iteration starts this executable again (fork, then exec of
// /proc/self/exe in a child mode), so dynamic loading counts.  The child
// sets up the application as the game's entry does, shows its window and,
// once the first frame that matters is painted, writes its peak resident
// memory into a pipe and ends without tearing anything down.  The parent
// times from just before the fork to that message.
//
// The platform is the child's QT_QPA_PLATFORM (offscreen when unset).

#include "app/VxAppInfo.h"
#include "components/VxListView.h"
#include "game/VxGame.h"
#include "ui/window/FrmRidolt.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

namespace {

const char* const ChildFlag = "--startup-child";
const char* const GameMode = "game";
const char* const EmptyMode = "empty";
const char* const TextMode = "text";
// A child that has not shown its window by then is taken as hung.
constexpr int ChildTimeoutMs = 60000;

int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

// ---------------------------------------------------------------- child

// Watches the paint events of one widget; after the first one painted while
// `ready` holds, and once the event loop is back from that frame, reports
// to the parent and ends the process.
class TFirstFrameReporter : public QObject {
public:
    TFirstFrameReporter(std::function<bool()> ready, int fd, int64_t startNs, int64_t mainNs)
        : FReady(std::move(ready)), FFd(fd), FStartNs(startNs), FMainNs(mainNs) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !FFramePainted && FReady()) {
            FFramePainted = true;
            QTimer::singleShot(0, this, &TFirstFrameReporter::Report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    [[noreturn]] void Report() const {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const std::string message =
            std::to_string(usage.ru_maxrss) + ' ' + std::to_string(FMainNs - FStartNs) + '\n';
        const ssize_t written = write(FFd, message.data(), message.size());
        // Tearing the window down is no part of starting up.
        std::_Exit(written == static_cast<ssize_t>(message.size()) ? 0 : 1);
    }

    std::function<bool()> FReady;
    int FFd;
    int64_t FStartNs;
    int64_t FMainNs;
    bool FFramePainted = false;
};

// The application set-up of the game's entry (app/main.cpp), without its
// command line and single-instance hand-off (a second child would hand over
// to the first and end).
void SetUpApplication() {
    QApplication::setOrganizationName(VxAppInfo::OrganizationName());
    QApplication::setApplicationName(VxAppInfo::ApplicationName());
    QApplication::setApplicationVersion(VxAppInfo::Version());
    QGuiApplication::setDesktopFileName(VxAppInfo::DesktopFileName());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/ridolt.svg")));
}

int RunChild(int argc, char** argv) {
    const int64_t mainNs = MonotonicNs();
    if (argc < 5)
        return 2;
    const char* const mode = argv[2];
    const int fd = std::atoi(argv[3]);
    const int64_t startNs = std::strtoll(argv[4], nullptr, 10);

    QApplication application(argc, argv);
    SetUpApplication();
    if (std::strcmp(mode, GameMode) == 0) {
        TVxGame game;
        TFormRidolt form(game);
        auto* market = form.findChild<TVxListView*>(QStringLiteral("VLVMarket"));
        if (!market)
            return 3;
        TFirstFrameReporter reporter(
            [market, &game] {
                return market->ItemCount() > 0 && market->ItemCount() == game.MarketList.Count();
            },
            fd, startNs, mainNs);
        market->viewport()->installEventFilter(&reporter);
        form.show();
        return QApplication::exec();
    }
    QMainWindow window;
    window.resize(TFormRidolt::DefaultWidth, TFormRidolt::DefaultHeight);
    if (std::strcmp(mode, TextMode) == 0)
        window.setCentralWidget(
            new QLabel(QStringLiteral("リドルト 市場銘柄 1年目1月 資金 3000万円")));
    TFirstFrameReporter reporter([] { return true; }, fd, startNs, mainNs);
    window.installEventFilter(&reporter);
    window.show();
    return QApplication::exec();
}

// --------------------------------------------------------------- parent

struct TLaunch {
    std::string Error; // empty when the child reported
    double Seconds = 0;
    double ToMainSeconds = 0;
    double PeakRssBytes = 0;
};

// Reads one line from `fd`, waiting at most until `deadlineNs`.
bool ReadLine(int fd, int64_t deadlineNs, std::string& line) {
    char buffer[128];
    while (line.find('\n') == std::string::npos) {
        const int64_t leftMs = (deadlineNs - MonotonicNs()) / 1000000;
        if (leftMs <= 0)
            return false;
        pollfd wait{fd, POLLIN, 0};
        if (poll(&wait, 1, static_cast<int>(leftMs)) <= 0)
            return false;
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        line.append(buffer, static_cast<size_t>(count));
    }
    return true;
}

TLaunch Launch(const char* mode) {
    TLaunch launch;
    int fds[2];
    if (pipe(fds) != 0) {
        launch.Error = "pipe failed";
        return launch;
    }
    const std::string fdText = std::to_string(fds[1]);
    const int64_t startNs = MonotonicNs();
    const std::string startText = std::to_string(startNs);
    const char* const arguments[] = {"StartupBench", ChildFlag,         mode,
                                     fdText.c_str(), startText.c_str(), nullptr};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        execv("/proc/self/exe", const_cast<char* const*>(arguments));
        _exit(127);
    }
    close(fds[1]);
    if (child < 0) {
        close(fds[0]);
        launch.Error = "fork failed";
        return launch;
    }
    std::string line;
    const bool reported = ReadLine(fds[0], startNs + int64_t{ChildTimeoutMs} * 1000000, line);
    const int64_t endNs = MonotonicNs();
    close(fds[0]);
    if (!reported)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    long peakRssKb = 0;
    long long toMainNs = 0;
    if (!reported || std::sscanf(line.c_str(), "%ld %lld", &peakRssKb, &toMainNs) != 2) {
        launch.Error = "the child showed no window (status " + std::to_string(status) + ")";
        return launch;
    }
    launch.Seconds = static_cast<double>(endNs - startNs) / 1e9;
    launch.ToMainSeconds = static_cast<double>(toMainNs) / 1e9;
    launch.PeakRssBytes = static_cast<double>(peakRssKb) * 1024;
    return launch;
}

// Mean start-up times of the floors, for the game's ratios to them.
double FloorSeconds = 0;
double TextFloorSeconds = 0;

void RunStartup(benchmark::State& state, const char* mode) {
    // One untimed start first, so that no iteration pays for a cold cache.
    if (const TLaunch warmUp = Launch(mode); !warmUp.Error.empty()) {
        state.SkipWithError(warmUp.Error.c_str());
        return;
    }
    double seconds = 0;
    double toMainSeconds = 0;
    double peakRssBytes = 0;
    for (auto _ : state) {
        const TLaunch launch = Launch(mode);
        if (!launch.Error.empty()) {
            state.SkipWithError(launch.Error.c_str());
            return;
        }
        state.SetIterationTime(launch.Seconds);
        seconds += launch.Seconds;
        toMainSeconds += launch.ToMainSeconds;
        peakRssBytes += launch.PeakRssBytes;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["PeakRSS"] = benchmark::Counter(
        peakRssBytes / iterations, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    // Process creation, dynamic loading and static initialisation.
    state.counters["ToMainMs"] = benchmark::Counter(toMainSeconds / iterations * 1000);
    const double meanSeconds = seconds / iterations;
    if (std::strcmp(mode, EmptyMode) == 0) {
        FloorSeconds = meanSeconds;
    } else if (std::strcmp(mode, TextMode) == 0) {
        TextFloorSeconds = meanSeconds;
    } else {
        if (FloorSeconds > 0)
            state.counters["xFloor"] = benchmark::Counter(meanSeconds / FloorSeconds);
        if (TextFloorSeconds > 0)
            state.counters["xTextFloor"] = benchmark::Counter(meanSeconds / TextFloorSeconds);
    }
}

void BM_StartupEmptyWindow(benchmark::State& state) {
    RunStartup(state, EmptyMode);
}
BENCHMARK(BM_StartupEmptyWindow)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_StartupTextWindow(benchmark::State& state) {
    RunStartup(state, TextMode);
}
BENCHMARK(BM_StartupTextWindow)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

void BM_StartupGameWindow(benchmark::State& state) {
    RunStartup(state, GameMode);
}
BENCHMARK(BM_StartupGameWindow)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], ChildFlag) == 0)
        return RunChild(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
