#pragma once

#include <QGuiApplication>

// The hourglass for the length of a lookup.
class THourglass {
public:
    THourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~THourglass() { QGuiApplication::restoreOverrideCursor(); }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;
};
