#include "framework/Shell.h"

namespace {

ShellExecuteFunction g_shellExecute = nullptr;

} // namespace

HINSTANCE ShellExecuteThrough(HWND owner, const char* verb, const char* file,
                              const char* parameters, const char* directory, int show) {
    const ShellExecuteFunction function = g_shellExecute ? g_shellExecute : ShellExecuteA;
    return function(owner, verb, file, parameters, directory, show);
}

void SetShellExecuteFunction(ShellExecuteFunction function) {
    g_shellExecute = function;
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
    std::vector<std::wstring> files(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT i = 0; i < files.size(); ++i) {
        files[i].resize(DragQueryFileW(drop, i, nullptr, 0));
        DragQueryFileW(drop, i, &files[i][0], UINT(files[i].size() + 1));
    }
    DragFinish(drop);
    return files;
}
