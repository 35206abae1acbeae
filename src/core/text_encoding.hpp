// The one conversion from text typed by a person (UTF-8) to the document's
// byte string, shared by every front end.
#pragma once

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

}  // namespace tracemill
