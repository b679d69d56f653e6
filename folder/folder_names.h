// SPDX-License-Identifier: MIT
// File names as the folder dialog and the folder listing show and order them.
#pragma once

#include <QString>

#include <filesystem>
#include <optional>

namespace ovaline::folder {

// The last component of `path` as text; nullopt when its bytes are not a
// name the program could open again from the text (not valid UTF-8 on a
// system whose file names are bytes).
std::optional<QString> displayName(const std::filesystem::path &path);

// The path that the text `path` names on this system.
std::filesystem::path nativePath(const QString &path);

// Name order: case-insensitive by Unicode case folding, and where two names
// differ only in case, by their characters, so every run gives one order.
bool nameLess(const QString &a, const QString &b);

} // namespace ovaline::folder
