#include "framework/TextEncoding.h"

#include <windows.h>

TextEncoding EncodingOf(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return TextEncoding::Utf8;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        return TextEncoding::Utf16LE;
    if (bytes.compare(0, 2, "\xFE\xFF") == 0)
        return TextEncoding::Utf16BE;
    return TextEncoding::Ansi;
}

size_t ByteOrderMarkSize(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return 3;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return 2;
    case TextEncoding::Ansi:
        break;
    }
    return 0;
}

std::wstring Utf16Units(const std::string& bytes, size_t from, bool bigEndian) {
    std::wstring units;
    units.reserve(bytes.size() > from ? (bytes.size() - from) / 2 : 0);
    for (size_t i = from; i + 1 < bytes.size(); i += 2) {
        unsigned char first = bytes[i], second = bytes[i + 1];
        units += wchar_t(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return units;
}

std::string Utf16Bytes(const std::wstring& units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (wchar_t unit : units) {
        char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::wstring WideFromUtf8(const std::string& utf8) {
    if (utf8.empty())
        return std::wstring();
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0],
                                           int(wide.size()))));
    return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string utf8(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &utf8[0], length, nullptr,
                        nullptr);
    return utf8;
}

namespace {

// Bytes that only UTF-8 explains: valid UTF-8 with some character beyond ASCII.  Text of a
// code page rarely is, and what current editors save without a mark usually is.
bool IsUtf8BeyondAscii(const std::string& bytes) {
    bool beyondAscii = false;
    for (char c : bytes)
        beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    return beyondAscii && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                              int(bytes.size()), nullptr, 0) > 0;
}

} // namespace

bool DecodeUnicodeText(const std::string& bytes, std::wstring& text) {
    const TextEncoding encoding = EncodingOf(bytes);
    const size_t mark = ByteOrderMarkSize(encoding);
    if (encoding == TextEncoding::Ansi) {
        if (!IsUtf8BeyondAscii(bytes))
            return false;
        text = WideFromUtf8(bytes);
        return true;
    }
    text = encoding == TextEncoding::Utf8
               ? WideFromUtf8(bytes.substr(mark))
               : Utf16Units(bytes, mark, encoding == TextEncoding::Utf16BE);
    return true;
}
