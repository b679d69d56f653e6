// SPDX-License-Identifier: MIT
#include "catalog.h"

#include "catalog_entry.h"
#include "message_language.h"

#include <algorithm>
#include <cstring>

namespace ovaline::i18n {
namespace {

const Catalog *chosenCatalog() {
    static const Catalog *const chosen = []() -> const Catalog * {
        const std::string language = messageLanguage();
        for (std::size_t i = 0; i < kCatalogCount; ++i) {
            if (language == kCatalogs[i].language)
                return &kCatalogs[i];
        }
        return nullptr;
    }();
    return chosen;
}

bool before(const CatalogEntry &entry, const CatalogEntry &key) {
    const int byContext = std::strcmp(entry.context, key.context);
    return byContext != 0 ? byContext < 0 : std::strcmp(entry.source, key.source) < 0;
}

} // namespace

const char *translate(const char *context, const char *source) {
    const Catalog *catalog = chosenCatalog();
    if (!catalog)
        return source;
    const CatalogEntry key{context, source, nullptr};
    const CatalogEntry *end = catalog->entries + catalog->count;
    const CatalogEntry *found = std::lower_bound(catalog->entries, end, key, before);
    if (found == end || std::strcmp(found->context, context) != 0 ||
        std::strcmp(found->source, source) != 0)
        return source;
    return found->translation;
}

std::string fill(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool marker =
            c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
        const std::size_t index = marker ? static_cast<std::size_t>(pattern[i + 1] - '1') : 0;
        if (marker && index < arguments.size()) {
            text += *(arguments.begin() + index);
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace ovaline::i18n
