// The owners give back exactly what they hold, once: a leak or a second close would go unnoticed
// everywhere else.
#include "foundation/ScopedHandles_win.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "tests/harness/WineTestSupport.h"

namespace {

bool IsOpenHandle(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(ScopedHandles, AKernelHandleIsClosedAtTheEndUnlessHandedOn) {
    HANDLE closed = nullptr;
    {
        ScopedHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(event.valid()) << LastError();
        closed = event.get();
    }
    EXPECT_FALSE(IsOpenHandle(closed));

    HANDLE handedOn = nullptr;
    {
        ScopedHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        handedOn = event.release();
        EXPECT_FALSE(event.valid());
    }
    EXPECT_TRUE(IsOpenHandle(handedOn));
    CloseHandle(handedOn);

    // What a failed snapshot answers is no handle to close.
    EXPECT_FALSE(ScopedHandle(INVALID_HANDLE_VALUE).valid());
}

TEST(ScopedHandles, AnObjectSelectedForAScopeIsDeselectedBeforeItAndItsContextAreDeleted) {
    HDC dc = nullptr;
    HGDIOBJ bitmap = nullptr;
    {
        ScopedMemoryDc memory(CreateCompatibleDC(nullptr));
        ASSERT_TRUE(memory.valid()) << LastError();
        dc = memory.get();
        HGDIOBJ original = GetCurrentObject(dc, OBJ_BITMAP);
        ScopedGdiObject<HBITMAP> image(CreateCompatibleBitmap(dc, 4, 4));
        bitmap = image.get();
        {
            ScopedSelection selected(dc, image.get());
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), original);
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u) << "the bitmap was deleted";
    EXPECT_EQ(GetObjectType(dc), 0u) << "the context was deleted";
}

TEST(ScopedHandles, ARegistryKeyIsClosedAtTheEnd) {
    HKEY closed = nullptr;
    {
        ScopedRegistryKey key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.receive()), ERROR_SUCCESS);
        closed = key.get();
    }
    EXPECT_EQ(RegQueryInfoKeyA(closed, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_INVALID_HANDLE);
}

TEST(ScopedHandles, AComObjectIsReleasedOnceAtTheEnd) {
    ScopedComApartment apartment;
    IShellLinkA* raw = nullptr;
    {
        ScopedComPointer<IShellLinkA> link;
        ASSERT_TRUE(SUCCEEDED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.receive())));
        raw = link.get();
        raw->AddRef();  // kept beyond the owner's end
    }
    EXPECT_EQ(raw->Release(), 0u) << "the owner's reference was released, and only that one";
}

}  // namespace
