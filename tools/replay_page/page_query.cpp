// Reading the replay page's address.
#include "tools/replay_page/page_query.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            end = text.size();
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool IsScriptName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (char letter : name) {
        const bool allowed = (letter >= 'a' && letter <= 'z') || (letter >= '0' && letter <= '9') ||
                             letter == '-' || letter == '_';
        if (!allowed) {
            return false;
        }
    }
    return true;
}

// A whole decimal number of ticks, nothing before or after it.
bool ReadTick(const std::string& text, int64_t& tick) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, tick);
    return status == std::errc() && stop == end && tick >= 0;
}

}  // namespace

PageQuery ParsePageQuery(const std::string& text) {
    PageQuery query;
    for (const std::string& part : Split(text, '&')) {
        const size_t equals = part.find('=');
        if (!part.empty()) {
            query[part.substr(0, equals)] =
                equals == std::string::npos ? "" : part.substr(equals + 1);
        }
    }
    return query;
}

bool ReadReplayOptions(const PageQuery& query, const std::string& scriptFolder,
                       ReplayOptions& options, std::string& error) {
    for (const auto& [name, value] : query) {
        if (name == "script") {
            if (!IsScriptName(value)) {
                error = "script=" + value + " names no replay script (letters, digits, dashes)";
                return false;
            }
            options.scriptFile = scriptFolder + value + ".replay";
        } else if (name == "ticks") {
            if (!ReadTick(value, options.ticks)) {
                error = "ticks=" + value + " is no number of ticks";
                return false;
            }
        } else if (name == "frames") {
            for (const std::string& tickText : Split(value, ',')) {
                int64_t tick = 0;
                if (!ReadTick(tickText, tick)) {
                    error = "frames=" + value + ": " + tickText + " is no tick";
                    return false;
                }
                options.screenshots[tick] = tickText;
            }
        } else {
            error = "the replay page knows no " + name + "= (script, ticks, frames)";
            return false;
        }
    }
    if (options.scriptFile.empty()) {
        error = "no script=NAME in the page's address";
        return false;
    }
    return true;
}
