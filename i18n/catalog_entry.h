// SPDX-License-Identifier: MIT
// One translated text of a generated catalogue; the catalogues are sorted by
// context, then source, in byte order.
#pragma once

#include <cstddef>

namespace ovaline::i18n {

struct CatalogEntry {
    const char *context;
    const char *source;
    const char *translation;
};

struct Catalog {
    const char *language;
    const CatalogEntry *entries;
    std::size_t count;
};

// Every language with a catalogue, generated from res/translations.
extern const Catalog kCatalogs[];
extern const std::size_t kCatalogCount;

} // namespace ovaline::i18n
