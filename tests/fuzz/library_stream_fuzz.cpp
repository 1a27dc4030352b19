// Feeds arbitrary bytes to the library reader: it must end in a library or an archive error,
// never a crash, a hang or an allocation out of proportion to the input.
#include "library/GameSetLibrary.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        GameSetMap sets = ReadLibraryStream(data, size);
        // What was read writes back to a stream that reads as the same library.
        std::vector<uint8_t> again;
        WriteLibraryStream(sets, again);
        if (ReadLibraryStream(again.data(), again.size()).size() != sets.size())
            __builtin_trap();
    } catch (const CArchiveException&) {
    }
    return 0;
}
