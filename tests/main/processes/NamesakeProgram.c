// Built twice, as a 64-bit program that tests put into the system folder and as its 32-bit
// namesake for SysWOW64; the version resource tells the two apart. It signals the event named by
// its second argument and waits to be ended.
#include <windows.h>

#ifdef NAMESAKE_REAL
// A size of its own, so that the size of the wrong file shows.
static volatile const char padding[8192] = {1};
#endif

int main(int argc, char** argv) {
    if (argc > 2) {
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
        if (ready != NULL)
            SetEvent(ready);
    }
    Sleep(120000);
#ifdef NAMESAKE_REAL
    return padding[0] - 1;
#else
    return 0;
#endif
}
