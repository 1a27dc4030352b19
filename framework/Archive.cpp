#include "framework/Archive.h"

#include <algorithm>
#include <cstring>

namespace {

const uint16_t kNewClassTag = 0xFFFF;
const uint16_t kClassTag = 0x8000; // plus the class index
const uint16_t kBigObjectTag = 0x7FFF;
const uint16_t kMaxClassIndex = 0x7FFE;
const uint16_t kWideTextMarker = 0xFFFE;

} // namespace

CArchive::CArchive(std::vector<uint8_t>& out) : m_out(&out), m_outSize(out.size()) {}

void CArchive::Close() {
    if (m_out != nullptr)
        m_out->resize(m_outSize);
}

uint8_t* CArchive::Grow(size_t size) {
    if (m_out->size() - m_outSize < size)
        m_out->resize(std::max(m_out->size() * 2, m_outSize + size) + 256);
    uint8_t* at = m_out->data() + m_outSize;
    m_outSize += size;
    return at;
}

CArchive::CArchive(const uint8_t* data, size_t size) : m_in(data), m_end(data + size) {
    if (data == nullptr) // an empty range still loads
        m_in = m_end = reinterpret_cast<const uint8_t*>("");
}

void CArchive::Write(const void* bytes, size_t size) {
    if (size != 0)
        std::memcpy(Grow(size), bytes, size);
}

void CArchive::WriteUInt16(uint16_t value) {
    uint8_t* at = Grow(2);
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

void CArchive::WriteUInt32(uint32_t value) {
    uint8_t* at = Grow(4);
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
    at[2] = uint8_t(value >> 16);
    at[3] = uint8_t(value >> 24);
}

void CArchive::WriteInt32(int32_t value) {
    WriteUInt32(static_cast<uint32_t>(value));
}

void CArchive::ThrowEndOfFile() {
    throw CArchiveException(CArchiveException::endOfFile,
                            "the stream ends before the item is complete");
}

uint16_t CArchive::ReadUInt16() {
    Require(2);
    uint16_t value = uint16_t(m_in[0] | m_in[1] << 8);
    m_in += 2;
    return value;
}

uint32_t CArchive::ReadUInt32() {
    Require(4);
    uint32_t value = uint32_t(m_in[0]) | uint32_t(m_in[1]) << 8 | uint32_t(m_in[2]) << 16 |
                     uint32_t(m_in[3]) << 24;
    m_in += 4;
    return value;
}

int32_t CArchive::ReadInt32() {
    return static_cast<int32_t>(ReadUInt32());
}

void CArchive::WriteCount(uint32_t count) {
    if (count < 0xFFFF) {
        WriteUInt16(uint16_t(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(count);
    }
}

uint32_t CArchive::ReadCount() {
    uint16_t count = ReadUInt16();
    return count != 0xFFFF ? count : ReadUInt32();
}

void CArchive::WriteString(const std::string& text) {
    size_t length = text.size();
    if (length < 0xFF) {
        *Grow(1) = uint8_t(length);
    } else {
        *Grow(1) = 0xFF;
        if (length < kWideTextMarker) {
            WriteUInt16(uint16_t(length));
        } else {
            WriteUInt16(0xFFFF);
            WriteUInt32(uint32_t(length));
        }
    }
    Write(text.data(), length);
}

void CArchive::ReadString(std::string& text) {
    Require(1);
    uint32_t length = *m_in++;
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == kWideTextMarker)
            throw CArchiveException(CArchiveException::badTag, "wide-character text");
        if (length == 0xFFFF)
            length = ReadUInt32();
    }
    if (length == 0) { // most texts of a game set are empty: skip the general copy
        text.clear();
        return;
    }
    Require(length);
    text.assign(reinterpret_cast<const char*>(m_in), length);
    m_in += length;
}

void CArchive::Exchange(std::string& text) {
    if (IsLoading())
        ReadString(text);
    else
        WriteString(text);
}

void CArchive::Exchange(int32_t& number) {
    if (IsLoading())
        number = ReadInt32();
    else
        WriteInt32(number);
}

void CArchive::WriteObject(CObject& object) {
    const CRuntimeClass* cls = object.GetRuntimeClass();
    uint32_t classIndex = 0;
    for (const auto& stored : m_storedClasses) {
        if (stored.first == cls)
            classIndex = stored.second;
    }
    if (classIndex != 0 && classIndex <= kMaxClassIndex) {
        WriteUInt16(uint16_t(kClassTag | classIndex));
    } else {
        WriteUInt16(kNewClassTag);
        WriteUInt16(cls->m_wSchema);
        size_t nameLength = std::strlen(cls->m_lpszClassName);
        WriteUInt16(uint16_t(nameLength));
        Write(cls->m_lpszClassName, nameLength);
        m_storedClasses.emplace_back(cls, m_nextIndex++);
    }
    m_nextIndex++; // the object's own index
    object.Serialize(*this);
}

std::unique_ptr<CObject> CArchive::ReadObject(const CRuntimeClass& required) {
    uint16_t tag = ReadUInt16();
    const CRuntimeClass* cls = nullptr;
    if (tag == kNewClassTag) {
        uint16_t schema = ReadUInt16();
        uint16_t nameLength = ReadUInt16();
        Require(nameLength);
        std::string name(reinterpret_cast<const char*>(m_in), nameLength);
        m_in += nameLength;
        if (name != required.m_lpszClassName)
            throw CArchiveException(CArchiveException::badClass, "unknown class '" + name + "'");
        if (schema != required.m_wSchema)
            throw CArchiveException(CArchiveException::badSchema,
                                    "unknown schema " + std::to_string(schema) + " of " + name);
        cls = &required;
        m_loadedClasses.emplace(m_nextIndex++, cls);
    } else if (tag & kClassTag) {
        uint32_t index = tag & ~kClassTag;
        auto loaded = m_loadedClasses.find(index);
        if (loaded != m_loadedClasses.end())
            cls = loaded->second;
        if (cls == nullptr)
            throw CArchiveException(CArchiveException::badIndex,
                                    "class index " + std::to_string(index) + " not described");
    } else {
        // The null tag, back-references and the 0x7FFF escape never occur in our streams.
        throw CArchiveException(CArchiveException::badTag,
                                tag == kBigObjectTag
                                    ? "escaped object tag"
                                    : "object reference tag " + std::to_string(tag));
    }
    m_nextIndex++; // the object's own index
    std::unique_ptr<CObject> object(cls->m_pfnCreateObject());
    object->Serialize(*this);
    return object;
}
