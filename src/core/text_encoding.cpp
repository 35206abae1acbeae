#include "text_encoding.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace tracemill {

namespace {

// GETA MARK (〓), the conventional stand-in for a character without a code.
constexpr char kPlaceholder[2] = {static_cast<char>(0x81), static_cast<char>(0xAC)};

// Decodes one UTF-8 character at s[i]; returns the code point and advances i,
// or returns -1 and advances by one byte for an invalid sequence.
std::int32_t decode(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = 0;
    std::int32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(len) > s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr std::int32_t kMinForLength[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += static_cast<std::size_t>(len);
    return cp;
}

// Every character with a two-byte code in Microsoft's Shift-JIS code page
// (the one Japanese desktop text uses), as (code point << 16 | code), sorted.
constexpr std::uint32_t kDoubleByteCodes[] = {
#include "cp932_table.inc"
};

// Appends a character's two-byte code, or the placeholder.
void append_double_byte(std::string& out, std::int32_t cp) {
    const auto key = static_cast<std::uint32_t>(cp) << 16;
    const auto* it = std::lower_bound(std::begin(kDoubleByteCodes), std::end(kDoubleByteCodes), key);
    if (cp <= 0xFFFF && it != std::end(kDoubleByteCodes) && (*it >> 16) == static_cast<std::uint32_t>(cp)) {
        out += static_cast<char>(*it >> 8 & 0xFF);
        out += static_cast<char>(*it & 0xFF);
        return;
    }
    out.append(kPlaceholder, 2);
}

}  // namespace

std::string to_document_bytes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::int32_t cp = decode(utf8, i);
        if (cp == '\r') {
            if (i < utf8.size() && utf8[i] == '\n') ++i;
            out += "\r\n";
        } else if (cp == '\n') {
            out += "\r\n";
        } else if (cp >= 0 && cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp == 0xA5) {
            out += '\\';  // the yen sign is byte 0x5C in the document's code page
        } else if (cp >= 0xFF61 && cp <= 0xFF9F) {
            out += static_cast<char>(cp - 0xFF61 + 0xA1);  // half-width katakana
        } else if (cp < 0) {
            out.append(kPlaceholder, 2);
        } else {
            append_double_byte(out, cp);
        }
    }
    return out;
}

std::optional<TypedCharacter> typed_character_at(std::string_view utf8, std::int64_t row,
                                                 std::int64_t column) {
    std::int64_t r = 1, c = 1;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        const std::int32_t cp = decode(utf8, i);
        if (cp == '\r' || cp == '\n') {
            if (cp == '\r' && i < utf8.size() && utf8[i] == '\n') ++i;
            ++r;
            c = 1;
            continue;
        }
        if (r == row && c == column) return TypedCharacter{cp, std::string(utf8.substr(start, i - start))};
        ++c;
    }
    return std::nullopt;
}

}  // namespace tracemill
