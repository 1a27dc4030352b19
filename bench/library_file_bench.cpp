// Loading and saving QXData.dat through the program's own code, under Wine: the whole file
// round trip (a save reads the file again and merges one change into it) for libraries of 100,
// 10,000 and 100,000 game sets, and the start-up load of a crafted library that describes its class
// again and again, against an ordinary one of the same size.
#include "LibraryFixture.h"
#include "WinBench.h"

#include <cstdio>
#include <string>

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "kestrine-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    DeleteFileA(kLibraryFileName);

    std::printf("%-8s %12s %12s %12s %12s %10s\n", "sets", "save ms", "load ms", "save sets/s",
                "load sets/s", "MB");
    for (int count : {100, 10000, 100000}) {
        CGameSetLibrary library;
        library.LoadGameSets(); // no file yet: saving may create it
        for (auto& entry : MakeLibrary(count))
            *library.Add(entry.first) = *entry.second;
        std::vector<double> saves, loads;
        for (int run = 0; run < 9; ++run) {
            // A SAVE: the library on the disk is read, merged with the change and written.
            library.NoteChange(library.Sets().begin()->first);
            double start = NowMs();
            library.SaveGameSets();
            saves.push_back(NowMs() - start);
            CGameSetLibrary reader;
            start = NowMs();
            reader.LoadGameSets();
            loads.push_back(NowMs() - start);
            if (reader.Sets().size() != size_t(count))
                return 1;
        }
        WIN32_FILE_ATTRIBUTE_DATA data;
        GetFileAttributesExA(kLibraryFileName, GetFileExInfoStandard, &data);
        double save = Median(saves), load = Median(loads);
        std::printf("%-8d %12.2f %12.2f %12.0f %12.0f %10.2f\n", count, save, load,
                    count / save * 1000, count / load * 1000, data.nFileSizeLow / 1e6);
        DeleteFileA(kLibraryFileName);
    }

    std::printf("\n%-28s %10s %12s\n", "library file", "MB", "load ms");
    for (int megabytes : {16, 64}) {
        for (bool crafted : {false, true}) {
            std::vector<uint8_t> bytes = StreamOfEmptySets(megabytes, crafted);
            FILE* out = std::fopen(kLibraryFileName, "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
            CGameSetLibrary reader;
            double start = NowMs();
            reader.LoadGameSets();
            std::printf("%-28s %10.1f %12.1f\n", crafted ? "class described again" : "ordinary",
                        bytes.size() / 1e6, NowMs() - start);
            DeleteFileA(kLibraryFileName);
        }
    }
    return 0;
}
