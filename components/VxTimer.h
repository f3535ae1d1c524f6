#pragma once

// A message-driven timer that also keeps count: when it was started, when
// it last fired and how often it has fired since.  Ticks are unsigned 32-bit
// milliseconds of a monotonic clock, so they wrap after about 49.7 days;
// subtract them as unsigned values.

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

// Current tick count in milliseconds.
using TVxTickSource = std::function<uint32_t()>;

// Milliseconds of the system's monotonic clock, truncated to 32 bits.
uint32_t VxGetTickCount();

class TVxTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultInterval = 1000;

    // Starts enabled, like the toolkit timer it stands for.  Tests hand in
    // their own tick source.
    explicit TVxTimer(QObject* parent = nullptr, TVxTickSource tickSource = VxGetTickCount);

    bool Enabled() const { return FEnabled; }
    // Enabling restarts the count even when already enabled; disabling keeps
    // the count and the ticks.
    void SetEnabled(bool value);

    // Milliseconds between firings; 0 keeps an enabled timer from firing.
    int Interval() const { return FInterval; }
    void SetInterval(int milliseconds);

    // Fires as soon as the event loop has handled every event waiting,
    // instead of after Interval: the repaints what the last firing
    // changed asks for come first, so each firing is shown before the next
    // one.
    bool FireWhenIdle() const { return FFireWhenIdle; }
    void SetFireWhenIdle(bool value);

    uint32_t StartTick() const { return FStartTick; }
    uint32_t LastTick() const { return FLastTick; }
    int32_t TimerCount() const { return FTimerCount; }

signals:
    // Fired on the GUI thread; the count is updated after the handlers ran.
    void Timer();

private:
    void Fire();
    void UpdateTimer();

    QTimer FTimer;
    TVxTickSource FTickSource;
    bool FEnabled = true;
    int FInterval = DefaultInterval;
    bool FFireWhenIdle = false;
    uint32_t FStartTick = 0;
    uint32_t FLastTick = 0;
    int32_t FTimerCount = 0;
};
