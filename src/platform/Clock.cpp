#include "platform/Clock.h"

namespace {

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

std::unique_ptr<Clock>& installed()
{
    static std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    return clock;
}

} // namespace

const Clock& Clock::instance()
{
    return *installed();
}

void Clock::setInstance(std::unique_ptr<Clock> clock)
{
    installed() = clock ? std::move(clock) : std::make_unique<SystemClock>();
}
