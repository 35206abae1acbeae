#include "messages.hpp"

#include <cstdio>
#include <cstdlib>

#include "dxf.hpp"

namespace tracemill {

MessageArg::MessageArg(double length) : text_(fixed1(length)) {}

std::string format_message(Message id, Language lang, std::span<const MessageArg> args) {
    const std::string_view text = message_text(id, lang);
    std::string out;
    out.reserve(text.size() + 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        // "{k}" with a single digit k.
        if (text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9' &&
            text[i + 2] == '}') {
            const auto k = static_cast<std::size_t>(text[i + 1] - '0');
            if (k < args.size()) {
                out += args[k].text();
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string english_glyph_name(unsigned char byte) {
    if (byte == 0x5C) return "'\u00A5'";
    return std::string("'") + static_cast<char>(byte) + "'";
}

std::string describe_character(std::int32_t code_point, std::string_view utf8, bool drawable) {
    if (code_point < 0) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", utf8.empty() ? 0u : static_cast<unsigned char>(utf8[0]));
        return hex;
    }
    if (drawable) return "'" + std::string(utf8) + "'";
    char u[16];
    std::snprintf(u, sizeof u, "U+%04X", static_cast<unsigned>(code_point));
    // Control characters (C0, DEL, C1) would act on the terminal: the code alone.
    const bool control = code_point < 0x20 || (code_point >= 0x7F && code_point < 0xA0);
    if (control) return u;
    return std::string(u) + " '" + std::string(utf8) + "'";
}

std::optional<Language> parse_language(std::string_view name) {
    if (name == "ja") return Language::Japanese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

namespace {

// The language part of a locale or LANGUAGE entry: "ja_JP.UTF-8" → "ja".
std::string_view language_part(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

}  // namespace

LanguageChoice language_from_locale(std::string_view lc_all, std::string_view lc_messages,
                                    std::string_view lang, std::string_view language) {
    const std::string_view locale = !lc_all.empty() ? lc_all : !lc_messages.empty() ? lc_messages : lang;
    const std::string_view base = language_part(locale);
    if (locale.empty() || base == "C" || base == "POSIX") return {Language::Japanese, true};
    while (!language.empty()) {
        const std::size_t colon = language.find(':');
        const std::string_view entry = language_part(language.substr(0, colon));
        if (entry == "ja") return {Language::Japanese, false};
        if (entry == "en") return {Language::English, false};
        language = colon == std::string_view::npos ? std::string_view{} : language.substr(colon + 1);
    }
    return {base == "ja" ? Language::Japanese : Language::English, false};
}

LanguageChoice language_from_environment() {
    const auto get = [](const char* name) -> std::string_view {
        const char* v = std::getenv(name);
        return v != nullptr ? v : "";
    };
    return language_from_locale(get("LC_ALL"), get("LC_MESSAGES"), get("LANG"), get("LANGUAGE"));
}

}  // namespace tracemill
