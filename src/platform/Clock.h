#pragma once

#include <QDateTime>

#include <memory>

// The source of "now" for everything that stamps or picks by time (new news entries, the
// tips window's random pick). Tests install a FixedClock so results do not depend on the day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // The process-wide clock; the system clock unless a test replaced it.
    static const Clock& instance();
    // Installs another clock; nullptr puts the system clock back.
    static void setInstance(std::unique_ptr<Clock> clock);

    static QDateTime currentDateTime() { return instance().now(); }
    static QDate currentDate() { return instance().now().date(); }
};

// A clock that stands still until it is set or advanced.
class FixedClock : public Clock {
public:
    explicit FixedClock(const QDateTime& time) : m_time(time) {}
    QDateTime now() const override { return m_time; }
    void set(const QDateTime& time) { m_time = time; }
    void advanceSeconds(qint64 seconds) { m_time = m_time.addSecs(seconds); }

private:
    QDateTime m_time;
};
