#include "app/clock.h"

namespace {
std::function<QDateTime()>& clockFunction() {
    static std::function<QDateTime()> clock;
    return clock;
}
}  // namespace

QDateTime Now() {
    const auto& clock = clockFunction();
    return clock ? clock() : QDateTime::currentDateTime();
}

QDate Today() {
    return Now().date();
}

void SetClock(std::function<QDateTime()> clock) {
    clockFunction() = std::move(clock);
}
