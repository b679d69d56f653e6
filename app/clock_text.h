// SPDX-License-Identifier: MIT
// The texts of the status bar's date and clock panes.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace ovaline::app {

// "Jly.04.1999": month abbreviation, two-digit day, four-digit year.
QString dateText(const QDate &date);

// "1:05:09 PM": a 12-hour clock whose hour after midnight reads 0 AM and
// whose hour after noon reads 12 PM.
QString timeText(const QTime &time);

} // namespace ovaline::app
