#pragma once
// Owners of what the system hands out: each closes, releases, deletes or restores what it holds
// when its scope ends, on every way out. They are neither copied nor moved; a function that hands a
// handle on takes it out with release().

#include <windows.h>

#include <objbase.h>

// Holds one handle and closes it with Closer::Close unless Closer::Holds says it is empty.
template <typename Handle, typename Closer>
class ScopedOwner {
public:
    ScopedOwner() = default;
    explicit ScopedOwner(Handle owned) : held_(owned) {}
    ~ScopedOwner() { reset(); }
    ScopedOwner(const ScopedOwner&) = delete;
    ScopedOwner& operator=(const ScopedOwner&) = delete;

    Handle get() const { return held_; }
    bool valid() const { return Closer::Holds(held_); }
    // Closes what is held and takes the new handle.
    void reset(Handle owned = Handle{}) {
        if (Closer::Holds(held_))
            Closer::Close(held_);
        held_ = owned;
    }
    // Where an API call writes the handle it opens; what was held is closed first.
    Handle* receive() {
        reset();
        return &held_;
    }
    // Hands the handle on: the owner forgets it without closing it.
    Handle release() {
        Handle handed = held_;
        held_ = Handle{};
        return handed;
    }

private:
    Handle held_{};
};

// Kernel objects: processes, threads, tokens, files, mutexes, snapshots. The API answers failure
// with null or with INVALID_HANDLE_VALUE, depending on the call; neither is closed.
struct KernelHandleCloser {
    static bool Holds(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using ScopedHandle = ScopedOwner<HANDLE, KernelHandleCloser>;

// A search of FindFirstFileA.
struct FileSearchCloser {
    static bool Holds(HANDLE search) { return search != INVALID_HANDLE_VALUE && search != nullptr; }
    static void Close(HANDLE search) { FindClose(search); }
};
using ScopedFileSearch = ScopedOwner<HANDLE, FileSearchCloser>;

struct RegistryKeyCloser {
    static bool Holds(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
using ScopedRegistryKey = ScopedOwner<HKEY, RegistryKeyCloser>;

// The service control manager and the services opened through it.
struct ServiceHandleCloser {
    static bool Holds(SC_HANDLE service) { return service != nullptr; }
    static void Close(SC_HANDLE service) { CloseServiceHandle(service); }
};
using ScopedServiceHandle = ScopedOwner<SC_HANDLE, ServiceHandleCloser>;

// Pens, brushes, fonts and bitmaps this program created. Stock objects need no owner.
struct GdiObjectDeleter {
    static bool Holds(HGDIOBJ object) { return object != nullptr; }
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
template <typename GdiObject>
using ScopedGdiObject = ScopedOwner<GdiObject, GdiObjectDeleter>;

// A memory device context of CreateCompatibleDC.
struct MemoryDcDeleter {
    static bool Holds(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};
using ScopedMemoryDc = ScopedOwner<HDC, MemoryDcDeleter>;

// The device context of a window (null: of the screen), given back to the window at the end.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and selects the previous one back at the end, so that
// the object can be deleted (or the context deleted) with nothing of ours still selected.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    // Selects another object in its place; the original comes back at the end all the same.
    void select(HGDIOBJ object) { SelectObject(dc_, object); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer, released at the end.
template <typename Interface>
class ScopedComPointer {
public:
    ScopedComPointer() = default;
    ~ScopedComPointer() { reset(); }
    ScopedComPointer(const ScopedComPointer&) = delete;
    ScopedComPointer& operator=(const ScopedComPointer&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    void reset() {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = nullptr;
    }
    // Where CoCreateInstance or QueryInterface writes the interface; what was held is released first.
    void** receive() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

private:
    Interface* pointer_ = nullptr;
};

// Balances CoInitialize on every way out. A thread already in another apartment keeps it and must
// not be uninitialised by us.
class ScopedComApartment {
public:
    ScopedComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ScopedComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;

private:
    bool initialised_;
};
