// The library stream's exact bytes and its damaged forms, and the command line's arguments,
// natively and under Wine.
#include "framework/CommandLineArguments.h"
#include "library/GameSetLibrary.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const std::string& text) {
    Bytes out(1 + text.size(), uint8_t(text.size()));
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
const Bytes kEmptyRecord = Concat({Bytes(44, 0), Bytes(96, 0)}); // all but both titles

Bytes Write(const GameSetMap& sets) {
    Bytes out;
    WriteLibraryStream(sets, out);
    return out;
}

GameSetMap Titled(std::initializer_list<std::string> titles) {
    GameSetMap sets;
    for (const std::string& title : titles) {
        sets[title] = std::make_unique<CShipData>();
        sets[title]->m_strTitle = sets[title]->m_strGameSet = title;
    }
    return sets;
}

// The cause of the refusal, -1 where the stream was read.
int CauseOfReading(const Bytes& bytes) {
    try {
        ReadLibraryStream(bytes.data(), bytes.size());
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return -1;
}

TEST(LibraryStream, BytesOfTheLibraryFile) {
    EXPECT_EQ(Write({}), (Bytes{0x00, 0x00}));
    // One set titled 'abc', every other text empty and every number 0: 169 bytes.
    const Bytes abc =
        Concat({{0x01, 0x00}, Text("abc"), kDescriptor, Text("abc"), Text("abc"), kEmptyRecord});
    EXPECT_EQ(Write(Titled({"abc"})), abc);
    // Only the first record carries the class descriptor; later ones refer to it.
    const Bytes two = Write(Titled({"a", "b"}));
    const size_t second = 2 + 2 + kDescriptor.size() + 4 + kEmptyRecord.size();
    EXPECT_EQ(Bytes(two.begin() + second, two.begin() + second + 4), (Bytes{1, 'b', 1, 0x80}));

    // Counts and texts take their longer forms at their boundaries.
    const std::pair<size_t, Bytes> texts[] = {{254, {0xFE}},
                                              {255, {0xFF, 0xFF, 0x00}},
                                              {65533, {0xFF, 0xFD, 0xFF}},
                                              {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}}};
    for (const auto& [length, prefix] : texts) {
        GameSetMap sets = Titled({std::string(length, 'q')});
        const Bytes bytes = Write(sets);
        EXPECT_EQ(Bytes(bytes.begin() + 2, bytes.begin() + 2 + long(prefix.size())), prefix);
        EXPECT_EQ(ReadLibraryStream(bytes.data(), bytes.size()).begin()->first.size(), length);
    }
    for (uint32_t count : {0xFFFEu, 0xFFFFu}) {
        GameSetMap sets;
        for (uint32_t i = 0; i < count; ++i)
            sets[std::to_string(i)] = std::make_unique<CShipData>();
        const Bytes bytes = Write(sets);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4),
                  (count == 0xFFFE ? Bytes{0xFE, 0xFF, 1, '0'} : Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
        EXPECT_EQ(ReadLibraryStream(bytes.data(), bytes.size()).size(), count);
    }
}

TEST(LibraryStream, EveryFieldComesBackAndTheRestOfTheFileIsIgnored) {
    GameSetMap sets = Titled({"Case", "case"}); // titles differing in case are two sets
    CShipData& record = *sets["Case"];
    record.m_strGameSet = "  \"spaced\" \xE9 ";
    for (int i = 0; i < kSlotCount; ++i) { // all 70 fields, each of its own value
        record.m_strShip[i] = std::string(size_t(i * 20), char('A' + i));
        record.m_strPos[i] = std::string(1, char('a' + i));
        record.m_bSlot[i] = i % 2 ? INT32_MIN + i : INT32_MAX - i;
    }
    record.m_bHostSelected = -7;
    record.m_bPlayerSelect = 123456789;
    Bytes bytes = Write(sets);
    const size_t length = bytes.size();
    bytes.insert(bytes.end(), 300, 0xAB); // what a longer, older file left behind
    GameSetMap read = ReadLibraryStream(bytes.data(), bytes.size());
    EXPECT_EQ(Write(read), Bytes(bytes.begin(), bytes.begin() + length));

    // A later entry under the same title replaces the earlier one.
    Bytes later = Concat({Bytes(46, 0), {1}, Bytes(95, 0)}); // HOST SELECTED
    Bytes twice =
        Concat({{2, 0}, Text("x"), kDescriptor, Bytes(142, 0), Text("x"), {1, 0x80}, later});
    EXPECT_EQ(ReadLibraryStream(twice.data(), twice.size())["x"]->m_bHostSelected, 1);

    record.Blank(); // what DELETE leaves: every text empty, every number 0
    EXPECT_EQ(Write(sets).size(), 2 + 5 + kDescriptor.size() + 142 + 5 + 2 + 10 + 140);
}

TEST(LibraryStream, DamagedStreamsAreRefused) {
    const Bytes whole = Write(Titled({"abc", "second"}));
    EXPECT_EQ(CauseOfReading({}), -1); // no bytes: an empty library
    for (size_t cut = 1; cut < whole.size(); ++cut)
        ASSERT_EQ(CauseOfReading(Bytes(whole.begin(), whole.begin() + cut)),
                  CArchiveException::endOfFile)
            << "cut at " << cut;
    auto changed = [&whole](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes copy = whole;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + long(at));
        return copy;
    };
    EXPECT_EQ(CauseOfReading(changed(13, {'X'})), CArchiveException::badClass);
    EXPECT_EQ(CauseOfReading(changed(8, {2})), CArchiveException::badSchema);
    EXPECT_EQ(CauseOfReading(changed(6, {2, 0x80})), CArchiveException::badIndex);
    for (uint8_t high : {0x00, 0x7F}) // a back-reference and the long escape
        EXPECT_EQ(CauseOfReading(changed(6, {0xFF, high})), CArchiveException::badTag);
    EXPECT_EQ(CauseOfReading(changed(21, {0xFF, 0xFE, 0xFF})), CArchiveException::badTag);
    // An absurd count or text length is refused before anything is allocated.
    EXPECT_NE(CauseOfReading(Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, whole})), -1);
    EXPECT_EQ(CauseOfReading(changed(21, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})),
              CArchiveException::endOfFile);
}

// A stream cut or damaged after some sets gives those back, saying how many it held.
TEST(LibraryStream, TheSetsBeforeTheDamageComeBack) {
    const Bytes whole = Write(Titled({"a", "b", "c"}));
    LibraryDamage damage;
    GameSetMap read = ReadLibraryStream(whole.data(), whole.size() - 1, &damage);
    EXPECT_TRUE(damage.damaged);
    EXPECT_EQ(damage.count, 3u);
    EXPECT_EQ(damage.complete, 2u);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read.begin()->second->m_strTitle, "a");
    damage = LibraryDamage();
    EXPECT_EQ(ReadLibraryStream(whole.data(), whole.size(), &damage).size(), 3u);
    EXPECT_FALSE(damage.damaged);
}

// The arguments of a command line: those after the program's name, quoted or not, split as
// the shell splits them.
TEST(CommandLineArguments, SplitAsTheShellSplitsThem) {
    const std::pair<const wchar_t*, std::vector<std::wstring>> commandLines[] = {
        {L"kestrine.exe first.ini \"C:\\My sets\\second.ini\"",
         {L"first.ini", L"C:\\My sets\\second.ini"}},
        {L"\"C:\\Program Files\\kestrine.exe\" \t", {}},
        {L"\"C:\\a b\\kestrine.exe\"x.ini", {L"x.ini"}},
        {L"kestrine.exe", {}},
        {L"kestrine.exe \"C:\\My sets\\\\\" a\\\"b c\\d \"\"",
         {L"C:\\My sets\\", L"a\"b", L"c\\d", L""}},
        {L"kestrine.exe \"say \"\"hi\"\"\"", {L"say \"hi\""}},
    };
    for (const auto& [commandLine, files] : commandLines)
        EXPECT_EQ(CommandLineArguments(commandLine), files);
}

} // namespace
