#include "library/GameSetLibrary.h"

namespace {

// The fewest bytes one entry can take: a one-byte key length, a class tag, the 46 one-byte
// text lengths and the 24 numbers.  A count larger than the stream could hold is rejected
// before anything is built.
const size_t kMinEntryBytes = 1 + 2 + 2 * kSlotCount + 2 + 4 * (2 + kSlotCount);

} // namespace

void WriteLibraryStream(const GameSetMap& sets, std::vector<uint8_t>& out) {
    CArchive ar(out);
    ar.WriteCount(uint32_t(sets.size()));
    for (const auto& entry : sets) {
        ar.WriteString(entry.first);
        ar.WriteObject(*entry.second);
    }
    ar.Close();
}

GameSetMap ReadLibraryStream(const uint8_t* data, size_t size) {
    CArchive ar(data, size);
    uint32_t count = ar.ReadCount();
    if (count > ar.Remaining() / kMinEntryBytes)
        throw CArchiveException(CArchiveException::endOfFile, "the stream is too short for its " +
                                                                  std::to_string(count) +
                                                                  " game sets");
    GameSetMap sets;
    std::string title;
    for (uint32_t i = 0; i < count; ++i) {
        ar.ReadString(title);
        std::unique_ptr<CObject> object = ar.ReadObject(CShipData::classCShipData);
        // Streams we wrote come in key order, so the end is the right hint.  A later entry
        // under the same title replaces the earlier one.
        auto entry = sets.emplace_hint(sets.end(), title, nullptr);
        entry->second.reset(static_cast<CShipData*>(object.release()));
    }
    return sets;
}

CShipData* CGameSetLibrary::Find(const std::string& title) const {
    auto found = m_sets.find(title);
    return found == m_sets.end() ? nullptr : found->second.get();
}

CShipData* CGameSetLibrary::Add(const std::string& title) {
    auto& record = m_sets[title];
    record = std::make_unique<CShipData>();
    return record.get();
}

void CGameSetLibrary::NoteChange(const std::string& title) {
    if (const CShipData* record = Find(title))
        m_pending.emplace_back(title, *record);
}
