#include "main/database/DatabaseWork_win.h"

#include <windows.h>

#include <memory>

namespace {

constexpr DWORD kPollMilliseconds = 30;

struct Job {
    std::function<int()> work;
    int result = 0;
};

// The worker holds the job too, so a cancelled one still has it when it finishes.
DWORD WINAPI RunJob(void* parameter) {
    std::unique_ptr<std::shared_ptr<Job>> job(static_cast<std::shared_ptr<Job>*>(parameter));
    (*job)->result = (*job)->work();
    return 0;
}

}  // namespace

bool RunDatabaseWork(const RatingProgressSetup& setup,
                     const std::string& caption,
                     std::function<int()> work,
                     int& result) {
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    auto* handed = new std::shared_ptr<Job>(job);
    HANDLE thread = CreateThread(nullptr, 0, RunJob, handed, 0, nullptr);
    if (thread == nullptr) {
        delete handed;
        result = job->work();  // no thread to be had: wait here rather than not at all
        return true;
    }
    const DWORD start = GetTickCount();
    bool cancelled = false;
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, kPollMilliseconds, QS_ALLINPUT) != WAIT_OBJECT_0) {
        if (RatingProgressStep(setup, caption, GetTickCount() - start >= kDatabaseWorkQuietMilliseconds)) {
            cancelled = true;
            break;
        }
    }
    CloseHandle(thread);
    if (!cancelled)
        result = job->result;  // the thread has ended, so its write is seen
    return !cancelled;
}
