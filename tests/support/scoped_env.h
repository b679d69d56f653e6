// SPDX-License-Identifier: MIT
// Sets environment variables for the length of a test and restores them.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ovaline::test {

class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                put(it->first, *it->second);
            else
                remove(it->first);
        }
    }

    ScopedEnv &set(const std::string &name, const std::string &value) {
        remember(name);
        put(name, value);
        return *this;
    }

    ScopedEnv &unset(const std::string &name) {
        remember(name);
        remove(name);
        return *this;
    }

private:
#if defined(_WIN32)
    // An empty value removes the variable.
    static void put(const std::string &name, const std::string &value) {
        _putenv_s(name.c_str(), value.c_str());
    }
    static void remove(const std::string &name) {
        _putenv_s(name.c_str(), "");
    }
#else
    static void put(const std::string &name, const std::string &value) {
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    static void remove(const std::string &name) {
        ::unsetenv(name.c_str());
    }
#endif

    void remember(const std::string &name) {
        const char *old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace ovaline::test
