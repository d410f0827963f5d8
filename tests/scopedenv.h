#pragma once
// Sets environment variables for one test and restores them afterwards, also when the test fails
// half-way. A null value unsets the variable.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TScopedEnv {
public:
    TScopedEnv() = default;
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;
    ~TScopedEnv()
    {
        for (auto it = FSaved.rbegin(); it != FSaved.rend(); ++it)
            Apply(it->first, it->second ? it->second->c_str() : nullptr);
    }

    void Set(const std::string& name, const char* value)
    {
        const char* old = std::getenv(name.c_str());
        FSaved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        Apply(name, value);
    }

    // The locale variables all unset but lang, which becomes LANG.
    void SetLocale(const char* lang)
    {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            Set(name, nullptr);
        Set("LANG", lang);
    }

private:
    static void Apply(const std::string& name, const char* value)
    {
        if (value)
            setenv(name.c_str(), value, 1);
        else
            unsetenv(name.c_str());
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};
