#pragma once
// Windows-1252 is the program's own character set: every text it holds, shows
// or writes is one byte per character in that code page. UTF-8 appears only at
// the edges: the terminal, and files the modeller wrote with a UTF-8 editor.
#include <string>
#include <string_view>

namespace korva {

// Windows-1252 text to UTF-8 (the five unassigned bytes map to U+FFFD).
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 text to Windows-1252; characters the code page lacks become "?".
// Bytes that do not form valid UTF-8 are taken as Windows-1252 already.
std::string Utf8ToCp1252(std::string_view text);

// True when the bytes are valid UTF-8 and hold at least one multi-byte sequence:
// the sign that a file was written in UTF-8 rather than Windows-1252.
bool LooksLikeUtf8(std::string_view bytes);

// Case changes as the target language's LCase and UCase do them on Windows-1252.
char LowerChar(char c);
char UpperChar(char c);
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

}  // namespace korva
