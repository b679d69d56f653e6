// SPDX-License-Identifier: MIT
// The ways a user asks for a language, and whether each asks for Japanese:
// the program and the client are tested against the same cases, so that
// they always agree.
#pragma once

#include "scoped_env.h"

#include <string>

namespace ovaline::test {

struct LanguageCase {
    const char *language; // LANGUAGE
    const char *lcAll;    // LC_ALL
    const char *lang;     // LANG
    bool japanese;
};

inline constexpr LanguageCase kLanguageCases[] = {
    {"ja", "", "", true},
    {"", "", "ja_JP.UTF-8", true},
    {"de:ja_JP", "", "", true},       // the first language there is a translation for
    {"de", "", "ja_JP.UTF-8", false}, // LANGUAGE comes first, even without a translation
    {"", "C", "ja_JP.UTF-8", false},  // LC_ALL comes before LANG
    {"en:ja", "", "", false},
    {"", "", "", false},
};

// Sets the case's variables, with LC_MESSAGES unset; returns them as a label.
inline std::string useLanguage(ScopedEnv &env, const LanguageCase &c) {
    env.set("LANGUAGE", c.language).set("LC_ALL", c.lcAll).set("LANG", c.lang);
    env.unset("LC_MESSAGES");
    return std::string("LANGUAGE=") + c.language + " LC_ALL=" + c.lcAll + " LANG=" + c.lang;
}

} // namespace ovaline::test
