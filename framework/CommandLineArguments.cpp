#include "framework/CommandLineArguments.h"

#include <cwchar>

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
    // Blanks part arguments outside quotation marks; 2n backslashes and a mark are n
    // backslashes and a mark that quotes, 2n+1 backslashes and a mark are n backslashes and the
    // mark itself; "" within quotes is a mark.
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
