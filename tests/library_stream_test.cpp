// The library stream of game sets: exact bytes, round trips, and damaged streams.
#include "library/GameSetLibrary.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& text) {
    Bytes out(1 + text.size());
    out[0] = uint8_t(text.size());
    std::copy(text.begin(), text.end(), out.begin() + 1);
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

const Bytes kDescriptor = {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'C', 'S',
                           'h',  'i',  'p',  'D',  'a',  't',  'a'};

Bytes Write(const GameSetMap& sets) {
    Bytes out;
    WriteLibraryStream(sets, out);
    return out;
}

void AddSet(GameSetMap& sets, const std::string& title) {
    auto record = std::make_unique<CShipData>();
    record->m_strTitle = record->m_strGameSet = title;
    sets[title] = std::move(record);
}

// One set titled 'abc', every other text empty and every number 0.
Bytes AbcLibrary() {
    return Concat({{0x01, 0x00},
                   Text("abc"),
                   kDescriptor,
                   Text("abc"),
                   Text("abc"),
                   Bytes(44, 0x00),
                   Bytes(96, 0x00)});
}

CArchiveException::Cause CauseOfReading(const Bytes& bytes) {
    try {
        ReadLibraryStream(bytes.data(), bytes.size());
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    ADD_FAILURE() << "no archive error";
    return CArchiveException::badTag;
}

TEST(LibraryStream, EmptyLibraryIsTwoZeroBytes) {
    EXPECT_EQ(Write({}), (Bytes{0x00, 0x00}));
    Bytes empty{0x00, 0x00};
    EXPECT_TRUE(ReadLibraryStream(empty.data(), empty.size()).empty());
}

TEST(LibraryStream, OneSetTitledAbcIs169Bytes) {
    GameSetMap sets;
    AddSet(sets, "abc");
    Bytes written = Write(sets);
    EXPECT_EQ(written.size(), 169u);
    EXPECT_EQ(written, AbcLibrary());
}

TEST(LibraryStream, OnlyTheFirstRecordCarriesTheClassDescriptor) {
    GameSetMap sets;
    for (const char* title : {"a", "b", "c"})
        AddSet(sets, title);
    Bytes written = Write(sets);
    const size_t recordBytes = 1 + 1 + 44 + 96 + 2; // two one-letter titles, empties, numbers
    size_t second = 2 + 2 + kDescriptor.size() + recordBytes;
    ASSERT_EQ(written.size(), second + 2 * (2 + 2 + recordBytes));
    EXPECT_EQ(Bytes(written.begin() + 2 + 2, written.begin() + 2 + 2 + kDescriptor.size()),
              kDescriptor);
    EXPECT_EQ(Bytes(written.begin() + second, written.begin() + second + 4),
              (Bytes{0x01, 'b', 0x01, 0x80}));
    EXPECT_EQ(ReadLibraryStream(written.data(), written.size()).size(), 3u);
}

TEST(LibraryStream, AllSeventyFieldsRoundTripWithUnusualValues) {
    GameSetMap sets;
    auto record = std::make_unique<CShipData>();
    record->m_strTitle = "\"N-QRF\" ''quoted'' \xE9\xFF";
    record->m_strGameSet = "  spaced  ";
    for (int i = 0; i < kSlotCount; ++i) {
        record->m_strShip[i] = std::string(size_t(i * 20), char('A' + i));
        record->m_strPos[i] = i % 2 ? std::string(1, char('G' + i % 20)) : " g ";
        record->m_bSlot[i] = i % 3 == 0 ? INT32_MIN : (i % 3 == 1 ? INT32_MAX : -1);
    }
    record->m_strShip[21] = std::string(300, '\x80');
    record->m_bHostSelected = -7;
    record->m_bPlayerSelect = 123456789;
    const CShipData& original = *record;
    sets["Case"] = std::move(record);
    AddSet(sets, "case"); // differs only in letter case: its own entry

    Bytes written = Write(sets);
    GameSetMap read = ReadLibraryStream(written.data(), written.size());
    ASSERT_EQ(read.size(), 2u);
    ASSERT_TRUE(read.count("Case") && read.count("case"));
    const CShipData& copy = *read["Case"];
    EXPECT_EQ(copy.m_strTitle, original.m_strTitle);
    EXPECT_EQ(copy.m_strGameSet, original.m_strGameSet);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(copy.m_strShip[i], original.m_strShip[i]);
        EXPECT_EQ(copy.m_strPos[i], original.m_strPos[i]);
        EXPECT_EQ(copy.m_bSlot[i], original.m_bSlot[i]);
    }
    EXPECT_EQ(copy.m_bHostSelected, -7);
    EXPECT_EQ(copy.m_bPlayerSelect, 123456789);
    EXPECT_EQ(Write(read), written);
}

TEST(LibraryStream, CountsOf0xFFFEAnd0xFFFFEntries) {
    for (uint32_t count : {0xFFFEu, 0xFFFFu}) {
        GameSetMap sets;
        for (uint32_t i = 0; i < count; ++i)
            sets[std::to_string(i)] = std::make_unique<CShipData>();
        Bytes written = Write(sets);
        if (count == 0xFFFE)
            EXPECT_EQ(Bytes(written.begin(), written.begin() + 2), (Bytes{0xFE, 0xFF}));
        else
            EXPECT_EQ(Bytes(written.begin(), written.begin() + 6),
                      (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
        EXPECT_EQ(ReadLibraryStream(written.data(), written.size()).size(), count);
    }
}

TEST(LibraryStream, BytesAfterTheLastRecordAreIgnored) {
    Bytes bytes = AbcLibrary();
    bytes.insert(bytes.end(), 500, 0xAB);
    GameSetMap sets = ReadLibraryStream(bytes.data(), bytes.size());
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets["abc"]->m_strGameSet, "abc");
}

TEST(LibraryStream, LaterEntryUnderTheSameTitleReplacesTheEarlier) {
    Bytes record = Concat({Bytes(46, 0x00), Bytes(96, 0x00)});
    Bytes second = record;
    second[46] = 0x01; // m_bHostSelected
    Bytes bytes =
        Concat({{0x02, 0x00}, Text("x"), kDescriptor, record, Text("x"), {0x01, 0x80}, second});
    GameSetMap sets = ReadLibraryStream(bytes.data(), bytes.size());
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets["x"]->m_bHostSelected, 1);
}

TEST(LibraryStreamDamage, EveryTruncationIsAnEndOfFile) {
    GameSetMap sets;
    AddSet(sets, "abc");
    AddSet(sets, "second");
    Bytes whole = Write(sets);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        Bytes part(whole.begin(), whole.begin() + cut);
        EXPECT_EQ(CauseOfReading(part), CArchiveException::endOfFile) << "cut at " << cut;
    }
}

TEST(LibraryStreamDamage, WrongClassSchemaOrIndex) {
    Bytes badClass = AbcLibrary();
    badClass[13] = 'X'; // "CShipData" -> "CXhipData"
    EXPECT_EQ(CauseOfReading(badClass), CArchiveException::badClass);

    Bytes badSchema = AbcLibrary();
    badSchema[8] = 0x02;
    EXPECT_EQ(CauseOfReading(badSchema), CArchiveException::badSchema);

    Bytes badIndex = AbcLibrary();
    badIndex[6] = 0x02; // tag 0x8002 before any class was described
    badIndex[7] = 0x80;
    EXPECT_EQ(CauseOfReading(badIndex), CArchiveException::badIndex);
}

TEST(LibraryStreamDamage, TagFormsThisProgramNeverWritesAreRejected) {
    for (uint16_t tag : {0x0000, 0x0001, 0x7FFF}) {
        Bytes bytes = Concat({{0x01, 0x00}, Text("abc"), {uint8_t(tag), uint8_t(tag >> 8)}});
        bytes.resize(200, 0x00);
        EXPECT_EQ(CauseOfReading(bytes), CArchiveException::badTag) << tag;
    }
}

TEST(LibraryStreamDamage, AbsurdCountIsRefusedBeforeReadingEntries) {
    Bytes bytes = Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, AbcLibrary()});
    EXPECT_EQ(CauseOfReading(bytes), CArchiveException::endOfFile);
}

TEST(ShipData, BlankEmptiesEveryTextAndNumber) {
    CShipData record;
    record.m_strTitle = record.m_strGameSet = "t";
    record.m_strShip[5] = record.m_strPos[9] = "x";
    record.m_bHostSelected = record.m_bPlayerSelect = record.m_bSlot[21] = 1;
    record.Blank();
    GameSetMap sets;
    sets["t"] = std::make_unique<CShipData>(record);
    Bytes expected = Concat({{0x01, 0x00}, Text("t"), kDescriptor, Bytes(46, 0), Bytes(96, 0)});
    EXPECT_EQ(Write(sets), expected);
}

} // namespace
