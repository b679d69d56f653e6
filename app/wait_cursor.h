// SPDX-License-Identifier: MIT
// Shows the wait cursor for the lifetime of the object.
#pragma once

#include <QApplication>

namespace ovaline::app {

class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};

} // namespace ovaline::app
