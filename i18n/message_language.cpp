// SPDX-License-Identifier: MIT
#include "message_language.h"

#include <cstdlib>
#include <string_view>

namespace ovaline::i18n {
namespace {

constexpr std::string_view kTranslated[] = {"ja"};

enum class Choice { English, Translated, Unknown };

// The language part of a locale name: "ja" of "ja_JP.UTF-8@variant".
std::string_view languageOf(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

Choice classify(std::string_view language) {
    if (language == "en" || language == "C" || language == "POSIX")
        return Choice::English;
    for (std::string_view translated : kTranslated) {
        if (language == translated)
            return Choice::Translated;
    }
    return Choice::Unknown;
}

std::string_view environment(const char *name) {
    const char *value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

} // namespace

std::string messageLanguage() {
    std::string_view languages = environment("LANGUAGE");
    if (!languages.empty()) {
        for (;;) {
            const std::size_t colon = languages.find(':');
            const std::string_view language = languageOf(languages.substr(0, colon));
            if (const Choice choice = classify(language); choice != Choice::Unknown)
                return choice == Choice::Translated ? std::string(language) : std::string();
            if (colon == std::string_view::npos)
                return {};
            languages.remove_prefix(colon + 1);
        }
    }
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string_view locale = environment(name);
        if (locale.empty())
            continue;
        const std::string_view language = languageOf(locale);
        return classify(language) == Choice::Translated ? std::string(language) : std::string();
    }
    return {};
}

} // namespace ovaline::i18n
