#pragma once
// Conversion between the program's UTF-8 text and code page 932 (Japanese Shift-JIS as
// written by the data files), and byte lengths measured in that code page.
//
// Text inside the program is UTF-8; every length rule of the game (the 18-byte name limit,
// lengths in a reading's score) counts CP932 bytes, so a full-width letter counts 2 and a
// half-width katakana 1.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// nullopt when the input holds bytes that are not valid in the source encoding, or a
// character that has no form in the target encoding.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

// Length in bytes of the UTF-8 sequence that lead byte c starts; 1 for a byte that cannot
// lead one (a continuation or an invalid byte), so that a walk over any bytes advances.
std::size_t utf8SequenceLength(unsigned char c);

// Byte length of the CP932 form of utf8. A character with no CP932 form counts as 2.
std::size_t cp932Length(std::string_view utf8);

// The longest prefix of utf8 whose CP932 form fits in maxBytes, never splitting a character.
std::string cp932Prefix(std::string_view utf8, std::size_t maxBytes);

}  // namespace platform
