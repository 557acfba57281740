// A console program that only writes one line, built and linked (static) as tandrelc is but with
// none of its libraries: the floor of a tandrelc start under Wine.
#include <windows.h>

int main() {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "bare\r\n", 6, &written, nullptr);
    return 0;
}
