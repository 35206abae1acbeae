#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>

#include "text_encoding.hpp"

namespace tracemill {
namespace {

TEST(TextEncoding, AsciiStaysAndLineBreaksBecomeCrLf) {
    EXPECT_EQ(to_document_bytes("AB-./"), "AB-./");
    EXPECT_EQ(to_document_bytes("a\nb\r\nc\rd\n"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(to_document_bytes("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(to_document_bytes("\t"), "\t");
    EXPECT_EQ(to_document_bytes(std::string_view("a\0b", 3)), std::string("a\0b", 3));  // NUL is ASCII too
}

TEST(TextEncoding, BackslashAndYenAreByte5C) {
    EXPECT_EQ(to_document_bytes("\\"), "\\");
    EXPECT_EQ(to_document_bytes("¥"), "\\");
}

TEST(TextEncoding, KatakanaOneByteOthersTwoNeverAQuestionMark) {
    EXPECT_EQ(to_document_bytes("ｱ"), "\xB1");
    EXPECT_EQ(to_document_bytes("｡ﾟ"), "\xA1\xDF");
    EXPECT_EQ(to_document_bytes("あ"), "\x82\xA0");
    EXPECT_EQ(to_document_bytes("ｃ"), "\x82\x83");
    EXPECT_EQ(to_document_bytes("、　"), "\x81\x41\x81\x40");  // lead byte 0x81, the lowest
    EXPECT_EQ(to_document_bytes("\x01~\x7F"), "\x01~\x7F");  // every ASCII byte stays one byte
    // Characters without a Shift-JIS code still count two bytes, never '?'.
    for (const char* s : {"é", "😀", "Ω", "\xff"}) {
        const std::string b = to_document_bytes(s);
        EXPECT_EQ(b.size(), 2u) << s;
        EXPECT_EQ(b.find('?'), std::string::npos) << s;
        EXPECT_GE(static_cast<unsigned char>(b[0]), 0x81) << s;
    }
}

TEST(TextEncoding, EveryByteOfABrokenSequenceIsOnePlaceholderAndNothingIsSwallowed) {
    const std::string geta = "\x81\xAC";
    const std::pair<const char*, std::string> cases[] = {
        {"\xC0\xAF", geta + geta},                // an overlong '/', never drawn as one
        {"\xE0\x80\xAF", geta + geta + geta},      // the same in three bytes
        {"\xED\xA0\x80", geta + geta + geta},      // an encoded surrogate
        {"\xF4\x90\x80\x80", geta + geta + geta + geta},  // beyond U+10FFFF
        {"\xF8\x90\x80\x80", geta + geta + geta + geta},  // F8 leads nothing (read as F0, it would be U+10000)
        {"\xE3" "AB", geta + "AB"},             // a lead byte without its continuation
        {"-\xE3\x81", "-" + geta + geta},        // cut short at the end
        {"\xE3\x81\xE3\x81\x82", geta + geta + "\x82\xA0"},  // cut short by the next character's lead byte
        {"\xEF\xBD\xA0\xEF\xBE\xA0", geta + geta},  // U+FF60 and U+FFA0, either side of the katakana
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(to_document_bytes(in), out) << in;
}

// Seeded byte soup of every kind (characters of each length and at the
// edges of their ranges, line breaks, overlong forms, encoded surrogates,
// code points past U+10FFFF, stray and missing continuation bytes) against
// the C library's UTF-8 reader: where it reads one character from the bytes
// at hand, that character's bytes; anywhere else one placeholder for the
// byte, and the next byte read afresh.
TEST(TextEncoding, ByteSoupIsReadAsTheCLibraryReadsIt) {
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    // The length of the one character the bytes at s[i] hold, or 0.
    const auto character_at = [&](const std::string& s, std::size_t i) -> std::size_t {
        for (std::size_t len = 1; len <= 4 && i + len <= s.size(); ++len) {
            char out[8];
            char* in = const_cast<char*>(s.data() + i);
            char* o = out;
            std::size_t in_left = len, out_left = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &in, &in_left, &o, &out_left) != static_cast<std::size_t>(-1) && in_left == 0 &&
                o - out == 4)
                return len;
        }
        return 0;
    };
    const auto utf8 = [](std::uint32_t cp) {
        if (cp < 0x80) return std::string(1, static_cast<char>(cp));
        if (cp < 0x800) return std::string{static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        if (cp < 0x10000)
            return std::string{static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
                               static_cast<char>(0x80 | (cp & 0x3F))};
        return std::string{static_cast<char>(0xF0 | (cp >> 18 & 0x0F)), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
                           static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    };
    std::mt19937 random(20261208);
    const auto pick = [&](std::uint32_t from, std::uint32_t to) {
        return std::uniform_int_distribution<std::uint32_t>(from, to)(random);
    };
    // Code points and forms worth mixing; a surrogate or a point past
    // U+10FFFF is written as if it were a character.
    const std::uint32_t edges[] = {0x7F, 0x80, 0xA5, 0x7FF, 0x800, 0xD7FF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF,
                                   0xE000, 0xFF60, 0xFF61, 0xFF9F, 0xFFA0, 0xFFFF, 0x10000, 0x10FFFF, 0x110000};
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        for (int piece = pick(1, 8); piece > 0; --piece) {
            switch (pick(0, 7)) {
                case 0: s += static_cast<char>(pick(0x20, 0x7E)); break;
                case 1: s += pick(0, 1) ? "\r" : "\n"; break;
                case 2: s += utf8(edges[pick(0, std::size(edges) - 1)]); break;
                case 3: s += utf8(pick(0x80, 0x10FFFF)); break;
                case 4: s += utf8(pick(0xD800, 0xDFFF)); break;
                case 5: s += static_cast<char>(pick(0x80, 0xFF)); break;  // a stray byte
                case 6: {  // a code point written with more bytes than it needs
                    const int len = static_cast<int>(pick(2, 4));
                    const std::uint32_t most = len == 2 ? 0x7F : len == 3 ? 0x7FF : 0xFFFF;
                    const std::uint32_t cp = pick(0, 1) ? most : pick(0, most);
                    std::string u(static_cast<std::size_t>(len), '\x80');
                    for (int k = len - 1; k > 0; --k)
                        u[static_cast<std::size_t>(k)] = static_cast<char>(0x80 | (cp >> (6 * (len - 1 - k)) & 0x3F));
                    u[0] = static_cast<char>((len == 2 ? 0xC0 : len == 3 ? 0xE0 : 0xF0) | cp >> (6 * (len - 1)));
                    s += u;
                    break;
                }
                default: {  // a character cut short
                    const std::string u = utf8(pick(0x80, 0x10FFFF));
                    s += u.substr(0, pick(1, static_cast<std::uint32_t>(u.size()) - 1));
                }
            }
        }
        std::string expected;
        for (std::size_t i = 0; i < s.size();) {
            const std::size_t len = character_at(s, i);
            if (len == 0) {
                expected += "\x81\xAC";
                ++i;
            } else if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
                expected += "\r\n";
                i += 2;
            } else {
                expected += to_document_bytes(s.substr(i, len));  // one character, as checked below
                i += len;
            }
        }
        ASSERT_EQ(to_document_bytes(s), expected) << ::testing::PrintToString(s);
    }
    iconv_close(cd);
}

// Every character against the C library's own conversion to Microsoft's
// Shift-JIS code page, from which the program's table was made: a character
// it writes as two bytes keeps them, any other becomes the placeholder.
TEST(TextEncoding, EveryCharacterAsTheCLibraryWritesIt) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    int two_byte = 0;
    for (std::uint32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xA5 || (cp >= 0xFF61 && cp <= 0xFF9F)) continue;
        std::string utf8;
        if (cp < 0x800) {
            utf8 = {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        } else if (cp < 0x10000) {
            utf8 = {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)),
                    static_cast<char>(0x80 | (cp & 0x3F))};
        } else {
            utf8 = {static_cast<char>(0xF0 | cp >> 18), static_cast<char>(0x80 | (cp >> 12 & 0x3F)),
                    static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
        }
        char out[8];
        char* in = utf8.data();
        char* o = out;
        std::size_t in_left = utf8.size(), out_left = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool converted = iconv(cd, &in, &in_left, &o, &out_left) != static_cast<std::size_t>(-1) &&
                               in_left == 0 && o - out == 2 && static_cast<unsigned char>(out[0]) >= 0x81;
        two_byte += converted;
        const std::string expected = converted ? std::string(out, 2) : std::string("\x81\xAC");
        ASSERT_EQ(to_document_bytes(utf8), expected) << std::hex << cp;
    }
    iconv_close(cd);
    EXPECT_GT(two_byte, 9000);
}

}  // namespace
}  // namespace tracemill
