#pragma once

#include <QDateTime>
#include <functional>

// "Now" for the whole program; tests pin it.
QDateTime Now();
QDate Today();
// Pins the clock (an empty function restores the system clock).
void SetClock(std::function<QDateTime()> clock);
