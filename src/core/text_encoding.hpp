// The one conversion from text typed by a person (UTF-8) to the document's
// byte string, shared by every front end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tracemill {

// ASCII stays itself, except that a backslash and the yen sign (U+00A5) both
// become byte 0x5C (drawn as the yen sign); every line break (LF, CR LF, CR)
// becomes CR LF; a half-width katakana is one byte (0xA1..0xDF); every other
// character is two bytes: its Shift-JIS code where it has one, otherwise a
// placeholder pair. No character is ever replaced by an ASCII byte, so an
// unsupported character always stops the run instead of drawing something
// else. A byte that is not valid UTF-8 counts as one such character.
std::string to_document_bytes(std::string_view utf8);

// The typed character at a row and column (both 1-based) of the text, rows
// broken as to_document_bytes breaks them and columns counted in characters
// (an invalid byte counts as one, with code point -1). Before the place
// where a run stops, every character of the text is one byte of the
// document, so the run's row and column lead to the character it stopped at.
struct TypedCharacter {
    std::int32_t code_point = 0;
    std::string utf8;
};
std::optional<TypedCharacter> typed_character_at(std::string_view utf8, std::int64_t row,
                                                 std::int64_t column);

}  // namespace tracemill
