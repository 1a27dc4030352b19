// The archive's encodings, checked against literal bytes and against damaged input.
#include "framework/Archive.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Stored(void (*store)(CArchive&)) {
    Bytes out;
    CArchive ar(out);
    store(ar);
    return out;
}

Bytes Prefix(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(), bytes.begin() + n);
}

TEST(ArchiveEncoding, CountsGrowFrom16To32Bits) {
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0); }), (Bytes{0x00, 0x00}));
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0xFFFE); }), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0xFFFF); }),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    Bytes big{0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00};
    CArchive ar(big.data(), big.size());
    EXPECT_EQ(ar.ReadCount(), 0x10001u);
}

TEST(ArchiveEncoding, TextLengthPrefixesAtTheirBoundaries) {
    struct Case {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'q');
        Bytes out;
        {
            CArchive storing(out);
            storing.WriteString(text);
        }
        ASSERT_EQ(out.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Prefix(out, c.prefix.size()), c.prefix) << c.length;

        CArchive loading(out.data(), out.size());
        EXPECT_EQ(loading.ReadString(), text) << c.length;
        EXPECT_EQ(loading.Remaining(), 0u);
    }
}

TEST(ArchiveEncoding, NumbersAreLittleEndianTwosComplement) {
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteInt32(-2); }), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteInt32(0x12345678); }),
              (Bytes{0x78, 0x56, 0x34, 0x12}));
    Bytes in{0x00, 0x00, 0x00, 0x80};
    CArchive ar(in.data(), in.size());
    EXPECT_EQ(ar.ReadInt32(), INT32_MIN);
}

CArchiveException::Cause CauseOfReadingString(const Bytes& bytes) {
    CArchive ar(bytes.data(), bytes.size());
    try {
        ar.ReadString();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    ADD_FAILURE() << "no archive error";
    return CArchiveException::badTag;
}

TEST(ArchiveDamage, TextLongerThanTheStreamIsAnEndOfFile) {
    EXPECT_EQ(CauseOfReadingString({}), CArchiveException::endOfFile);
    EXPECT_EQ(CauseOfReadingString({0x03, 'a', 'b'}), CArchiveException::endOfFile);
    EXPECT_EQ(CauseOfReadingString({0xFF, 0x00}), CArchiveException::endOfFile);
    // A claimed length of 4 GB against a few bytes: refused before any allocation.
    EXPECT_EQ(CauseOfReadingString({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}),
              CArchiveException::endOfFile);
}

TEST(ArchiveDamage, WideTextMarkerIsRejected) {
    EXPECT_EQ(CauseOfReadingString({0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00}), CArchiveException::badTag);
}

TEST(ArchiveDamage, CountsAndNumbersCutShortAreEndOfFile) {
    Bytes one{0x01};
    CArchive count(one.data(), one.size());
    EXPECT_THROW(count.ReadCount(), CArchiveException);
    Bytes three{0x01, 0x02, 0x03};
    CArchive number(three.data(), three.size());
    EXPECT_THROW(number.ReadInt32(), CArchiveException);
    CArchive empty(nullptr, 0);
    EXPECT_THROW(empty.ReadCount(), CArchiveException);
}

} // namespace
