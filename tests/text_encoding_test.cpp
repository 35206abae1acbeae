#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tracemill
