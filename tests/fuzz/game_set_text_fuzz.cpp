// Feeds arbitrary bytes to the game-set text reader: it must end in a game set or a refusal,
// never a crash, and what it read must write back to a text that reads the same.
#include "library/GameSetText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GameSetRead read;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!ReadGameSetText(text, read).empty())
        return 0;
    const std::string written = WriteGameSetText(read.values);
    GameSetRead again;
    if (!ReadGameSetText(written, again).empty() || WriteGameSetText(again.values) != written)
        __builtin_trap();
    return 0;
}
