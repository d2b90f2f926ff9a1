// A sleeping child for the process benchmarks. It uses nothing beyond the kernel, so under Wine
// it opens no display connection however many run at once.
#include <windows.h>

int main() {
    Sleep(15 * 60 * 1000);  // ends by itself should the benchmark be killed
    return 0;
}
