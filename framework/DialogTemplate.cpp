#include "framework/DialogTemplate.h"

#include <algorithm>
#include <cstring>

namespace {

// Walks a template's bytes; every step checks that it stays inside them.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}
    bool Skip(size_t bytes) {
        m_ok = m_ok && bytes <= m_size - m_at;
        m_at = m_ok ? m_at + bytes : m_size;
        return m_ok;
    }
    WORD Word() {
        WORD value = 0;
        if (Skip(2))
            memcpy(&value, m_data + m_at - 2, 2);
        return value;
    }
    // A name or an ordinal: 0 for none, 0xFFFF and a number, or a NUL-terminated text.
    void SkipNameOrOrdinal() {
        const WORD first = Word();
        if (first == 0xFFFF)
            Word();
        else
            while (first != 0 && m_ok && Word() != 0) {
            }
    }
    void SkipText() {
        while (m_ok && Word() != 0) {
        }
    }
    void AlignToDword() { Skip((4 - m_at % 4) % 4); }
    size_t At() const { return m_at; }
    bool Ok() const { return m_ok; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_at = 0;
    bool m_ok = true;
};

} // namespace

std::vector<DWORD> TemplateWithStyle(HINSTANCE instance, UINT templateId,
                                     const std::vector<int>& ids, DWORD style) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    const void* resource = found ? LockResource(LoadResource(instance, found)) : nullptr;
    const size_t size = found ? SizeofResource(instance, found) : 0;
    if (resource == nullptr || size < 26)
        return {};
    std::vector<DWORD> copy((size + 3) / 4);
    BYTE* bytes = reinterpret_cast<BYTE*>(copy.data());
    memcpy(bytes, resource, size);

    // DLGTEMPLATEEX: version 1, signature 0xFFFF, help id, extended style, style, item count,
    // position and size; then menu, class, title and, with DS_SETFONT, the font.
    TemplateReader reader(bytes, size);
    DWORD dialogStyle = 0;
    WORD count = 0;
    if (reader.Word() != 1 || reader.Word() != 0xFFFF || !reader.Skip(8))
        return {};
    memcpy(&dialogStyle, bytes + reader.At(), 4);
    reader.Skip(4);
    count = reader.Word();
    reader.Skip(8);
    reader.SkipNameOrOrdinal();
    reader.SkipNameOrOrdinal();
    reader.SkipText();
    if (dialogStyle & DS_SETFONT) {
        reader.Skip(6);
        reader.SkipText();
    }
    // Each item: help id, extended style, style, position and size, id (a DWORD), class,
    // title, and the length of its creation data and that data.
    for (WORD item = 0; item < count && reader.Ok(); ++item) {
        reader.AlignToDword();
        const size_t styleAt = reader.At() + 8;
        DWORD id = 0;
        if (!reader.Skip(20) || !reader.Skip(4))
            break;
        memcpy(&id, bytes + reader.At() - 4, 4);
        if (std::find(ids.begin(), ids.end(), int(id)) != ids.end()) {
            DWORD itemStyle;
            memcpy(&itemStyle, bytes + styleAt, 4);
            itemStyle |= style;
            memcpy(bytes + styleAt, &itemStyle, 4);
        }
        reader.SkipNameOrOrdinal();
        reader.SkipNameOrOrdinal();
        reader.Skip(reader.Word());
    }
    if (!reader.Ok())
        return {};
    return copy;
}
