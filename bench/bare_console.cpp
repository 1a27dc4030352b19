// A console program that does nothing: what starting and ending a program costs under Wine.
// Built with SPLIT_ARGUMENTS, it splits its command line through the shell, as a program that
// does not split it itself would.
#ifdef SPLIT_ARGUMENTS
#include <windows.h>

#include <shellapi.h>
#endif

int main() {
#ifdef SPLIT_ARGUMENTS
    int count = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &count));
    return count > 1000;
#else
    return 0;
#endif
}
