// One timer contract, three timers: the virtual clock's, the timerfd and the portable QTimer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "doubles/VirtualClock.h"
#include "platform/qt/PortableTimer.h"
#include "platform/qt/TimerFdTimer.h"

namespace zoma {
namespace {

// Only guards against a hang; no case measures how late a tick is.
constexpr int kHangGuardMs = 5000;

// A timer and the time it runs in. On the virtual clock every tick comes exactly when due;
// a real timer's tick only never comes early (a millisecond is allowed for rounding).
class TimerRig {
  public:
    virtual ~TimerRig() = default;
    virtual Timer& timer() = 0;
    virtual double nowMs() const = 0;
    // Lets time pass; ticks come as they fall due.
    virtual void runFor(int milliseconds) = 0;
    virtual void runUntil(const std::function<bool()>& done) = 0;
    virtual bool exact() const = 0;
};

class VirtualRig : public TimerRig {
  public:
    Timer& timer() override { return timer_; }
    double nowMs() const override { return static_cast<double>(clock_.now()); }
    void runFor(int milliseconds) override { clock_.advance(milliseconds); }
    void runUntil(const std::function<bool()>& done) override {
        for (int waited = 0; !done() && waited < kHangGuardMs; ++waited) clock_.advance(1);
    }
    bool exact() const override { return true; }

  private:
    testing::VirtualClock clock_;
    testing::VirtualTimer& timer_ = clock_.makeTimer();
};

template <typename RealTimer>
class RealRig : public TimerRig {
  public:
    Timer& timer() override { return timer_; }
    double nowMs() const override {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    }
    void runFor(int milliseconds) override {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    void runUntil(const std::function<bool()>& done) override {
        const double limit = nowMs() + kHangGuardMs;
        while (!done() && nowMs() < limit) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    bool exact() const override { return false; }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    RealTimer timer_;
};

// Tick times, and a handler that runs in each tick before it is recorded.
struct Ticks {
    explicit Ticks(TimerRig& rig) : rig(rig) {
        rig.timer().onTick = [this] {
            at.push_back(this->rig.nowMs());
            if (inTick) inTick();
        };
    }
    // The first tick at or after `from`, or -1.
    double firstFrom(double from) const {
        for (const double tick : at) {
            if (tick >= from) return tick;
        }
        return -1;
    }

    TimerRig& rig;
    std::vector<double> at;
    std::function<void()> inTick;
};

// A tick due at `due`: exactly then on the virtual clock, never before it on a real timer, and
// within the hang guard.
void expectTickAt(const TimerRig& rig, double tick, double due) {
    if (rig.exact()) {
        EXPECT_EQ(tick, due);
    } else {
        EXPECT_GE(tick, due - 1);
        EXPECT_LT(tick, due + kHangGuardMs);
    }
}

struct ContractCase {
    const char* name;
    std::function<void(TimerRig&)> check;
};

const ContractCase kCases[] = {
    {"a disabled timer never ticks, and disabling stops a running one",
     [](TimerRig& rig) {
         Ticks ticks(rig);
         rig.timer().setInterval(10);
         rig.runFor(60);
         rig.timer().setEnabled(true);
         rig.timer().setEnabled(false);
         rig.runFor(60);
         EXPECT_TRUE(ticks.at.empty());
         EXPECT_FALSE(rig.timer().isEnabled());
     }},
    {"an enabled timer ticks every interval until its handler disables it",
     [](TimerRig& rig) {
         Ticks ticks(rig);
         ticks.inTick = [&] {
             if (ticks.at.size() == 3) rig.timer().setEnabled(false);
         };
         rig.timer().setInterval(20);
         const double start = rig.nowMs();
         rig.timer().setEnabled(true);
         rig.runUntil([&] { return ticks.at.size() >= 3; });
         rig.runFor(60);
         ASSERT_EQ(ticks.at.size(), 3u);
         for (std::size_t k = 0; k < 3; ++k) expectTickAt(rig, ticks.at[k], start + 20 * (k + 1));
     }},
    {"enabling a running timer restarts its period",
     [](TimerRig& rig) {
         Ticks ticks(rig);
         rig.timer().setInterval(300);
         rig.timer().setEnabled(true);
         rig.runFor(50);
         const double again = rig.nowMs();
         rig.timer().setEnabled(true);
         rig.runUntil([&] { return ticks.firstFrom(again) >= 0; });
         expectTickAt(rig, ticks.firstFrom(again), again + 300);
     }},
    {"a tick that enables its own timer again keeps the pace",
     [](TimerRig& rig) {
         Ticks ticks(rig);
         ticks.inTick = [&] { rig.timer().setEnabled(ticks.at.size() < 10); };
         rig.timer().setInterval(15);
         const double start = rig.nowMs();
         rig.timer().setEnabled(true);
         rig.runUntil([&] { return ticks.at.size() >= 10; });
         ASSERT_EQ(ticks.at.size(), 10u);
         for (std::size_t k = 0; k < 10; ++k) expectTickAt(rig, ticks.at[k], start + 15 * (k + 1));
     }},
    {"changing the interval of a running timer restarts it with the new interval",
     [](TimerRig& rig) {
         Ticks ticks(rig);
         rig.timer().setInterval(300);
         rig.timer().setEnabled(true);
         rig.runFor(50);
         const double changed = rig.nowMs();
         rig.timer().setInterval(100);
         rig.runUntil([&] { return ticks.at.size() >= 2 && ticks.firstFrom(changed) >= 0; });
         const double first = ticks.firstFrom(changed);
         expectTickAt(rig, first, changed + 100);
         rig.runUntil([&] { return ticks.firstFrom(first + 0.5) >= 0; });
         expectTickAt(rig, ticks.firstFrom(first + 0.5), changed + 200);
         EXPECT_EQ(rig.timer().interval(), 100);
     }},
};

using RigFactory = std::function<std::unique_ptr<TimerRig>()>;

class TimerContract : public ::testing::TestWithParam<RigFactory> {};

TEST_P(TimerContract, HoldsForEveryCase) {
    for (const ContractCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<TimerRig> rig = GetParam()();
        c.check(*rig);
    }
}

std::string timerName(const ::testing::TestParamInfo<RigFactory>& info) {
    static const char* const kNames[] = {"VirtualClock", "TimerFd", "PortableQTimer"};
    return kNames[info.index];
}

INSTANTIATE_TEST_SUITE_P(
    Timers, TimerContract,
    ::testing::Values(RigFactory([] { return std::make_unique<VirtualRig>(); }),
                      RigFactory([] { return std::make_unique<RealRig<TimerFdTimer>>(); }),
                      RigFactory([] { return std::make_unique<RealRig<PortableTimer>>(); })),
    timerName);

}  // namespace
}  // namespace zoma
