// Text files as editors and Windows save them: ANSI, or UTF-8 or UTF-16 (either byte order)
// with a byte-order mark.
#pragma once

#include <string>

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// The encoding a file's byte-order mark names; ANSI without one.
TextEncoding EncodingOf(const std::string& bytes);
// The length of that mark in bytes.
size_t ByteOrderMarkSize(TextEncoding encoding);

// UTF-16 text of a file from `from` on, and back; an odd last byte is left out.
std::wstring Utf16Units(const std::string& bytes, size_t from, bool bigEndian);
std::string Utf16Bytes(const std::wstring& units, bool bigEndian);

std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

// The text of a file with a byte-order mark, or without one where its bytes are valid UTF-8
// with some character beyond ASCII; false (and `text` untouched) for ANSI.
bool DecodeUnicodeText(const std::string& bytes, std::wstring& text);
