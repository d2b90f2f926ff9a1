#include "main/processes/ProcessSampler_win.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "foundation/ScopedHandles_win.h"
#include "main/processes/ProcessAccounting_win.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

constexpr UINT kMessagePassReady = WM_APP + 1;
const char kSamplerWindowClass[] = "VantrelProcessSampler";

struct Sampler {
    // Held for the whole of a pass: the process layer's pass state is not shared.
    std::mutex passLock;
    ProcessIdSet ids;  // used under passLock only

    // The rest under `lock`.
    std::mutex lock;
    bool requested = false;
    bool stopping = false;
    uint64_t started = 0;    // number of the latest pass begun
    uint64_t delivered = 0;  // number of the latest pass handed to the window thread
    std::unique_ptr<ProcessPass> finished;
    uint64_t finishedNumber = 0;

    ScopedHandle wake;  // auto-reset: a pass was asked for, or the thread is to stop
    ScopedHandle thread;
    HWND window = nullptr;
    ProcessPassReceiver receiver = nullptr;

    ~Sampler() { StopProcessSampler(); }
};

Sampler& TheSampler() {
    // The layer's state is made first so that it outlives the sampler, whose thread uses it.
    LayerState();
    static Sampler sampler;
    return sampler;
}

uint64_t BeginPass(Sampler& sampler) {
    std::lock_guard<std::mutex> guard(sampler.lock);
    return ++sampler.started;
}

// What the system says about every running process now; the caller holds the pass lock.
ProcessPass TakeProcessPass(Sampler& sampler) {
    ProcessPass pass;
    BuildProcessIdSet(sampler.ids);
    pass.samples.reserve(sampler.ids.ids.size());
    for (uint32_t pid : sampler.ids.ids) {
        ScopedHandle process(OpenProcessForSample(pid));
        ProcessSample sample = TakeProcessSample(pid, process.get(), sampler.ids);
        pass.workingSetSum += sample.workingSet;
        pass.samples.push_back(std::move(sample));
    }
    // After every creation time was read, so that no running time comes out negative.
    pass.nowUnixSeconds = NowUnixSeconds();
    return pass;
}

DWORD WINAPI SamplerThread(LPVOID) {
    Sampler& sampler = TheSampler();
    for (;;) {
        WaitForSingleObject(sampler.wake.get(), INFINITE);
        {
            std::lock_guard<std::mutex> guard(sampler.lock);
            if (sampler.stopping)
                return 0;
            if (!sampler.requested)
                continue;
        }
        auto pass = std::make_unique<ProcessPass>();
        uint64_t number = 0;
        {
            std::lock_guard<std::mutex> passGuard(sampler.passLock);
            number = BeginPass(sampler);
            *pass = TakeProcessPass(sampler);
        }
        std::lock_guard<std::mutex> guard(sampler.lock);
        sampler.requested = false;
        if (number > sampler.delivered) {
            sampler.finished = std::move(pass);
            sampler.finishedNumber = number;
            PostMessageA(sampler.window, kMessagePassReady, 0, 0);
        }
    }
}

// The finished pass when it is newer than everything handed over; it counts as handed over then.
std::unique_ptr<ProcessPass> TakeFinished(Sampler& sampler) {
    std::lock_guard<std::mutex> guard(sampler.lock);
    std::unique_ptr<ProcessPass> pass = std::move(sampler.finished);
    if (pass != nullptr && sampler.finishedNumber <= sampler.delivered)
        pass.reset();
    if (pass != nullptr)
        sampler.delivered = sampler.finishedNumber;
    return pass;
}

LRESULT CALLBACK SamplerWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kMessagePassReady)
        return DefWindowProcA(window, message, wParam, lParam);
    Sampler& sampler = TheSampler();
    std::unique_ptr<ProcessPass> pass = TakeFinished(sampler);
    if (pass != nullptr && sampler.receiver != nullptr)
        sampler.receiver(*pass);
    return 0;
}

HWND CreateSamplerWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SamplerWindowCallback;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kSamplerWindowClass;
    RegisterClassA(&windowClass);
    // A message-only window: nothing finds it, nothing shows it.
    return CreateWindowExA(0, kSamplerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

}  // namespace

void StartProcessSampler(ProcessPassReceiver receiver) {
    Sampler& sampler = TheSampler();
    sampler.receiver = receiver;
    if (sampler.thread.valid())
        return;
    if (sampler.window == nullptr)
        sampler.window = CreateSamplerWindow();
    sampler.wake.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    {
        std::lock_guard<std::mutex> guard(sampler.lock);
        sampler.stopping = false;
    }
    DWORD id = 0;
    sampler.thread.reset(CreateThread(nullptr, 0, SamplerThread, nullptr, 0, &id));
    // The window thread goes first when both want the processor.
    if (sampler.thread.valid())
        SetThreadPriority(sampler.thread.get(), THREAD_PRIORITY_BELOW_NORMAL);
}

void StopProcessSampler() {
    Sampler& sampler = TheSampler();
    if (!sampler.thread.valid())
        return;
    {
        std::lock_guard<std::mutex> guard(sampler.lock);
        sampler.stopping = true;
    }
    SetEvent(sampler.wake.get());
    WaitForSingleObject(sampler.thread.get(), INFINITE);
    sampler.thread.reset();
    std::lock_guard<std::mutex> guard(sampler.lock);
    sampler.requested = false;
    sampler.finished.reset();
}

void RequestProcessPass() {
    Sampler& sampler = TheSampler();
    if (!sampler.thread.valid())
        return;
    {
        std::lock_guard<std::mutex> guard(sampler.lock);
        if (sampler.requested || sampler.finished != nullptr)
            return;
        sampler.requested = true;
    }
    SetEvent(sampler.wake.get());
}

ProcessPass TakeProcessPassNow(bool acceptPending) {
    Sampler& sampler = TheSampler();
    bool pending = false;
    {
        std::lock_guard<std::mutex> guard(sampler.lock);
        pending = acceptPending && (sampler.requested || sampler.finished != nullptr);
    }
    // A pass under way is finished first: its result is either taken as it is, or made old by this one.
    std::lock_guard<std::mutex> passGuard(sampler.passLock);
    if (pending) {
        if (std::unique_ptr<ProcessPass> pass = TakeFinished(sampler))
            return std::move(*pass);
    }
    uint64_t number = BeginPass(sampler);
    ProcessPass pass = TakeProcessPass(sampler);
    std::lock_guard<std::mutex> guard(sampler.lock);
    sampler.delivered = number;
    sampler.finished.reset();
    return pass;
}
