// PLAY's update of the game's settings files under Wine, on a scripts.ini of 1 KB, 1 MB and
// 5 MB (the game's other sections around Mul_Kestrine), beside the 47 separate profile writes
// that the files would take one at a time.  Medians of several runs; the result of both is
// compared key by key.
#include "WinBench.h"
#include "script/ScriptSettings.h"

#include <cstdio>
#include <string>

namespace {

// A scripts.ini of about `bytes`: sections of the game's own keys, Mul_Kestrine among them.
std::string ScriptsOfSize(size_t bytes) {
    std::string text = "; Ostravane scripts\r\n";
    int section = 0;
    while (text.size() < bytes) {
        if (section == 3)
            text += "[Mul_Kestrine]\r\nGameSet=Old\r\nshipP1=\"N-QRE\"\r\nextra=1\r\n";
        text += "[Mission" + std::to_string(section++) + "]\r\n";
        for (int key = 0; key < 20 && text.size() < bytes; ++key)
            text += "value" + std::to_string(key) + "=some text of the game's, " +
                    std::to_string(key * section) + "\r\n";
    }
    return text;
}

// The file as the game left it: written a while ago (the profile functions read a file
// changed in the last seconds again at every call).
void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    FILETIME then{0, 0x01D00000}; // 2015
    SetFileTime(file, nullptr, nullptr, &then);
    CloseHandle(file);
}

// The 46 keys and UIType, one profile write each, as the record would be written key by key.
void WriteKeyByKey(const std::string& scripts, const std::string& gvx) {
    WritePrivateProfileStringA("Mul_Kestrine", "GameSet", "Bench", scripts.c_str());
    for (const SlotInfo& slot : kSlots)
        WritePrivateProfileStringA("Mul_Kestrine", slot.shipKey, "\"T-MWA\"", scripts.c_str());
    for (const SlotInfo& slot : kSlots)
        WritePrivateProfileStringA("Mul_Kestrine", slot.posKey, "7", scripts.c_str());
    WritePrivateProfileStringA("Mul_Kestrine", "shipSettings", "4", scripts.c_str());
    WritePrivateProfileStringA("UI", "UIType", "2", gvx.c_str());
}

std::string Section(const std::string& file) {
    std::string lines(1 << 16, '\0');
    lines.resize(
        GetPrivateProfileSectionA("Mul_Kestrine", &lines[0], DWORD(lines.size()), file.c_str()));
    return lines;
}

} // namespace

int main() {
    const std::string game = BenchGameFolder("kestrine-play-bench");
    const std::string scripts = game + "Assets\\Scripts\\scripts.ini", gvx = game + "gvx.ini";
    const std::string copy = game + "copy.ini";

    theScriptSettings.SetTitle("Bench");
    for (int slot = 0; slot < kSlotCount; ++slot) {
        theScriptSettings.SetShip(slot, "\"T-MWA\"");
        theScriptSettings.SetPos(slot, 7);
    }
    theScriptSettings.ClearFlags();
    theScriptSettings.SetFlag(kFlagHostSelected);
    theScriptSettings.SetDifficulty(2);

    std::printf("%-10s %14s %20s %10s\n", "scripts.ini", "PLAY ms", "47 profile writes ms",
                "same keys");
    for (size_t size : {size_t(1) << 10, size_t(1) << 20, size_t(5) << 20}) {
        const std::string original = ScriptsOfSize(size);
        std::vector<double> plays, writes;
        bool same = true;
        for (int run = 0; run < (size > (1u << 20) ? 5 : 9); ++run) {
            WriteBytes(scripts, original);
            WriteBytes(gvx, "[UI]\r\nUIType=1\r\n");
            double start = NowMs();
            if (!theScriptSettings.Save())
                return 1;
            plays.push_back(NowMs() - start);

            WriteBytes(copy, original);
            start = NowMs();
            WriteKeyByKey(copy, gvx);
            writes.push_back(NowMs() - start);
            same = same && Section(scripts) == Section(copy);
        }
        std::printf("%7.0f KB %14.1f %20.1f %10s\n", double(original.size()) / 1024, Median(plays),
                    Median(writes), same ? "yes" : "NO");
    }
    return 0;
}
