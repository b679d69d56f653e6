// SPDX-License-Identifier: MIT
// The program's string table: status texts, the title and the command
// prompts ("status bar text\ntool tip").
#pragma once

#include <QString>

namespace ovaline::res {

// The text of string `id`; empty when there is none.
QString loadString(int id);

// The part of a command prompt shown in the status bar.
QString statusPrompt(int id);

// The part of a command prompt shown as the tool tip.
QString toolTipPrompt(int id);

} // namespace ovaline::res
