#include "framework/Shell.h"

#include <shellapi.h>

namespace {

ShellExecuteFunction g_shellExecute = nullptr;

} // namespace

HINSTANCE ShellExecuteThrough(HWND owner, const char* verb, const char* file,
                              const char* parameters, const char* directory, int show) {
    ShellExecuteFunction function = g_shellExecute ? g_shellExecute : ShellExecuteA;
    return function(owner, verb, file, parameters, directory, show);
}

void SetShellExecuteFunction(ShellExecuteFunction function) {
    g_shellExecute = function;
}
