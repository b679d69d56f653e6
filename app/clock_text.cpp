// SPDX-License-Identifier: MIT
#include "clock_text.h"

namespace ovaline::app {

QString dateText(const QDate &date) {
    static const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jly", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return QString::asprintf("%3.3s.%02d.%4d", kMonths[date.month() - 1], date.day(), date.year());
}

QString timeText(const QTime &time) {
    const int hour = time.hour();
    const bool afternoon = hour >= 12;
    return QString::asprintf("%d:%02d:%02d %2s", hour > 12 ? hour - 12 : hour, time.minute(),
                             time.second(), afternoon ? "PM" : "AM");
}

} // namespace ovaline::app
