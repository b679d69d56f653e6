// SPDX-License-Identifier: MIT
// The client's texts are written in English and marked
// translate("Cli", "text") for the translators; each is shown in the user's
// language, and fill() puts the values into its %1 .. %9.
#pragma once

#include "catalog.h"

namespace ovaline::cli {

using i18n::fill;
using i18n::translate;

} // namespace ovaline::cli
