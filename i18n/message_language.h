// SPDX-License-Identifier: MIT
// Which language the user reads messages in, for the program and the
// command-line client alike, so that both always speak the same one.
#pragma once

#include <string>

namespace ovaline::i18n {

// The code of the translation to use ("ja"), or "" for English, the
// language the texts are written in. Chosen as gettext does: the first
// entry of LANGUAGE (a colon-separated list) that names English or a
// language we have a translation for; when LANGUAGE is unset or empty, the
// first of LC_ALL, LC_MESSAGES and LANG that is set. Unlike gettext,
// LANGUAGE counts under the C locale too, as Qt lets it.
std::string messageLanguage();

} // namespace ovaline::i18n
