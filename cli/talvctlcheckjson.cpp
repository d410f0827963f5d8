#include "cli/talvctlcheckjson.h"

#include <cstdio>

std::string JsonQuoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[7];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
            break;
        }
    }
    return quoted + '"';
}

std::string TalvctlCheckJson(const std::string& kind, const std::string& text, const TFindingPlace& place)
{
    const std::string key = FindingFieldKey(place.Field);
    return "{\"kind\":" + JsonQuoted(kind) + ",\"text\":" + JsonQuoted(text) +
           ",\"device\":" + (place.Device >= 0 ? std::to_string(place.Device + 1) : "null") +
           ",\"field\":" + (key.empty() ? "null" : JsonQuoted(key)) + "}";
}
