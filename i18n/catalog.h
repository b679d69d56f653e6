// SPDX-License-Identifier: MIT
// Translated texts for code without Qt (the command-line client): the same
// texts, contexts and translations as the program's Qt Linguist files, made
// into tables at build time. Mark a text with translate("Context", "text")
// so that lupdate finds it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace ovaline::i18n {

// `source` of `context` in the language messageLanguage() chose when this
// was first called; `source` itself in English or where no translation is.
const char *translate(const char *context, const char *source);

// `pattern` with %1 .. %9 replaced by the arguments, as QString::arg does,
// so that a translation may put them in another order.
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> arguments);

} // namespace ovaline::i18n
