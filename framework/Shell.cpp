#include "framework/Shell.h"

#include "framework/LoadOnUse.h"

namespace {

ShellExecuteFunction g_shellExecute = nullptr;

template <class Function> Function FromShell(const char* name) {
    return LoadOnUse<Function>(L"shell32.dll", name);
}

} // namespace

HINSTANCE ShellExecuteThrough(HWND owner, const char* verb, const char* file,
                              const char* parameters, const char* directory, int show) {
    ShellExecuteFunction function =
        g_shellExecute ? g_shellExecute : FromShell<ShellExecuteFunction>("ShellExecuteA");
    if (function == nullptr)
        return reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
    return function(owner, verb, file, parameters, directory, show);
}

void SetShellExecuteFunction(ShellExecuteFunction function) {
    g_shellExecute = function;
}

std::vector<std::wstring> CommandLineArguments(const wchar_t* commandLine) {
    // The program's name runs to the closing quote, or to the first blank.
    const wchar_t* rest = commandLine;
    if (*rest == L'"') {
        for (++rest; *rest != L'\0' && *rest != L'"'; ++rest) {
        }
        rest += *rest == L'"';
    } else {
        while (*rest != L'\0' && *rest != L' ' && *rest != L'\t')
            ++rest;
    }
    std::vector<std::wstring> arguments;
    if (wcsspn(rest, L" \t") == wcslen(rest)) // nothing after it
        return arguments;
    // The rules of CommandLineToArgvW, without loading the shell for them (a command run from
    // a script pays for every library loaded): blanks part arguments outside quotation marks;
    // 2n backslashes and a mark are n backslashes and a mark that quotes, 2n+1 backslashes
    // and a mark are n backslashes and the mark itself; "" within quotes is a mark.
    std::wstring argument;
    bool inArgument = false, quoted = false;
    for (const wchar_t* at = rest; *at != L'\0'; ++at) {
        if ((*at == L' ' || *at == L'\t') && !quoted) {
            if (inArgument)
                arguments.push_back(argument);
            argument.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (*at == L'\\') {
            size_t backslashes = 0;
            while (at[backslashes] == L'\\')
                ++backslashes;
            if (at[backslashes] != L'"') {
                argument.append(backslashes, L'\\');
                at += backslashes - 1;
                continue;
            }
            argument.append(backslashes / 2, L'\\');
            at += backslashes;
            if (backslashes % 2 == 1) {
                argument += L'"';
                continue;
            }
        }
        if (*at == L'"') {
            if (quoted && at[1] == L'"')
                argument += *++at;
            else
                quoted = !quoted;
        } else {
            argument += *at;
        }
    }
    if (inArgument)
        arguments.push_back(argument);
    return arguments;
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
    using QueryFunction = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
    using FinishFunction = void(WINAPI*)(HDROP);
    const auto query = FromShell<QueryFunction>("DragQueryFileW");
    const auto finish = FromShell<FinishFunction>("DragFinish");
    std::vector<std::wstring> files(query ? query(drop, 0xFFFFFFFF, nullptr, 0) : 0);
    for (UINT i = 0; i < files.size(); ++i) {
        files[i].resize(query(drop, i, nullptr, 0));
        query(drop, i, &files[i][0], UINT(files[i].size() + 1));
    }
    if (finish)
        finish(drop);
    return files;
}
