#pragma once

// Environment variables set (or, without a value, removed) for as long as the object lives, and
// put back as they were afterwards, so that one test's settings never reach the next.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nwmp::testing {

class ScopedEnvironment {
  public:
    using Variables = std::vector<std::pair<std::string, std::optional<std::string>>>;

    explicit ScopedEnvironment(const Variables& variables) {
        for (const auto& [name, value] : variables) {
            const char* old = std::getenv(name.c_str());
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            set(name, value);
        }
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            set(it->first, it->second);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    static void set(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
        _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
#endif
    }

    Variables saved_;
};

}  // namespace nwmp::testing
