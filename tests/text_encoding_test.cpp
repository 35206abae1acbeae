#include <gtest/gtest.h>

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
        {"\xE3" "AB", geta + "AB"},             // a lead byte without its continuation
        {"-\xE3\x81", "-" + geta + geta},        // cut short at the end
        {"\xEF\xBD\xA0\xEF\xBE\xA0", geta + geta},  // U+FF60 and U+FFA0, either side of the katakana
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(to_document_bytes(in), out) << in;
}

}  // namespace
}  // namespace tracemill
