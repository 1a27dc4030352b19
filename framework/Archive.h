// A binary archive in the conventions of the classic Windows class framework, whose bytes the
// game-set library file keeps: little-endian numbers, counts and texts with growing length
// prefixes, and objects tagged by class (a class descriptor the first time, an index after).
//
// A loading archive reads from a byte range it does not own and trusts nothing in it: every
// length and count is checked against the bytes that remain before anything is allocated,
// and any fault ends the load with a CArchiveException.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

class CArchive;

class CArchiveException : public std::runtime_error {
public:
    enum Cause {
        endOfFile, // the stream ends inside an item
        badClass,  // a class descriptor names a class other than the one expected
        badSchema, // the class's schema number is not the one this program knows
        badIndex,  // a tag refers to a class index not described yet
        badTag,    // a tag or text form this program never writes
    };
    CArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause) {}
    Cause m_cause;
};

class CObject;

// The persistent identity of a class: its name and schema number as written into streams,
// and a factory that makes an empty object for the reader.
struct CRuntimeClass {
    const char* m_lpszClassName;
    uint16_t m_wSchema;
    CObject* (*m_pfnCreateObject)();
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive& ar) = 0;
};

class CArchive {
public:
    // A storing archive appends to `out`; Close (or the destructor) trims it to what was
    // written.
    explicit CArchive(std::vector<uint8_t>& out);
    ~CArchive() { Close(); }
    void Close();
    // A loading archive reads [data, data + size).
    CArchive(const uint8_t* data, size_t size);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return m_in != nullptr; }

    // One call per field serves both directions: reads into the value when loading, writes
    // it when storing.
    void Exchange(std::string& text);
    void Exchange(int32_t& number);

    void WriteCount(uint32_t count);
    uint32_t ReadCount();
    void WriteString(const std::string& text);
    void ReadString(std::string& text);
    void WriteInt32(int32_t value);
    int32_t ReadInt32();

    // Objects: the class tag, then the object's own data through its Serialize.
    void WriteObject(CObject& object);
    // Reads an object that must be of class `required`; the caller owns it.
    std::unique_ptr<CObject> ReadObject(const CRuntimeClass& required);

    size_t Remaining() const { return m_end - m_in; }

private:
    void Write(const void* bytes, size_t size);
    uint8_t* Grow(size_t size); // room for `size` more bytes at the end of the output
    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    uint16_t ReadUInt16();
    uint32_t ReadUInt32();
    void Require(size_t size) const {
        if (Remaining() < size)
            ThrowEndOfFile();
    }
    [[noreturn]] static void ThrowEndOfFile();

    std::vector<uint8_t>* m_out = nullptr;
    size_t m_outSize = 0; // bytes written; the vector runs ahead in steps
    const uint8_t* m_in = nullptr;
    const uint8_t* m_end = nullptr;

    // Indices are handed out in order of appearance from 1 on, one for each class descriptor
    // and one for each object.
    uint32_t m_nextIndex = 1;
    std::vector<std::pair<const CRuntimeClass*, uint32_t>> m_storedClasses; // class, index
    // The classes read so far, looked up by their index directly: a stream may describe a
    // class again and again, and each reference must still cost the same.
    std::unordered_map<uint32_t, const CRuntimeClass*> m_loadedClasses;
};
