#include "library/GameSetLibrary.h"

void WriteLibraryStream(const GameSetMap& sets, std::vector<uint8_t>& out) {
    CArchive ar(out);
    ar.WriteCount(uint32_t(sets.size()));
    for (const auto& entry : sets) {
        ar.WriteString(entry.first);
        ar.WriteObject(*entry.second);
    }
    ar.Close();
}

// Entries are read one by one, each taking at least a few dozen bytes, so that even an absurd
// count ends at the end of the stream without anything built for it beforehand.
GameSetMap ReadLibraryStream(const uint8_t* data, size_t size, LibraryDamage* damage) {
    GameSetMap sets;
    if (size == 0)
        return sets; // an empty file, as a sync tool leaves in its place: an empty library
    CArchive ar(data, size);
    uint32_t count = 0;
    try {
        count = ar.ReadCount();
        std::string title;
        for (uint32_t i = 0; i < count; ++i) {
            ar.ReadString(title);
            std::unique_ptr<CObject> object = ar.ReadObject(CShipData::classCShipData);
            // Streams we wrote come in key order, so the end is the right hint.  A later entry
            // under the same title replaces the earlier one.
            auto entry = sets.emplace_hint(sets.end(), title, nullptr);
            entry->second.reset(static_cast<CShipData*>(object.release()));
        }
    } catch (const CArchiveException& e) {
        if (damage == nullptr)
            throw;
        *damage = LibraryDamage{true, count, sets.size(), e.what()};
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
