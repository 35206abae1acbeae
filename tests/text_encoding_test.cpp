#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
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
