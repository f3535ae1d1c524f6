#include "sim/VxSimProgress.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace {

constexpr int BarWidth = 40;
constexpr auto RedrawInterval = std::chrono::milliseconds(200);

} // namespace

TVxSimProgressBar::TVxSimProgressBar(std::ostream& out, const std::atomic<int64_t>& done,
                                     int64_t total)
    : FOut(out), FDone(done), FTotal(total) {
    FThread = std::jthread([this](std::stop_token stop) {
        std::mutex lock;
        std::condition_variable_any wake;
        std::unique_lock guard(lock);
        while (true) {
            // Waits out the interval, or less once the study is over.
            wake.wait_for(guard, stop, RedrawInterval, [] { return false; });
            if (stop.stop_requested())
                return;
            Draw(FDone.load());
        }
    });
}

TVxSimProgressBar::~TVxSimProgressBar() {
    FThread.request_stop();
    FThread.join();
    FOut << '\r' << std::string(BarWidth + 40, ' ') << '\r' << std::flush;
}

void TVxSimProgressBar::Draw(int64_t done) {
    const int64_t filled = FTotal > 0 ? done * BarWidth / FTotal : BarWidth;
    FOut << "\r[" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(BarWidth - filled), ' ') << "] " << done << '/'
         << FTotal << " games" << std::flush;
}
