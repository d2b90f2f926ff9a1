#include "main/GraphView_win.h"

#include <cstring>

#include "foundation/ScopedHandles_win.h"

namespace {

const char kGraphClassName[] = "VantrelGraph";

BITMAPINFO ImageBitmapInfo(const PixelImage& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows top down, as the image keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

LRESULT CALLBACK GraphCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const auto* image = reinterpret_cast<const PixelImage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (image != nullptr && image->width > 0 && image->height > 0) {
            BITMAPINFO info = ImageBitmapInfo(*image);
            SetDIBitsToDevice(dc, 0, 0, image->width, image->height, 0, 0, 0, image->height, image->pixels.data(),
                              &info, DIB_RGB_COLORS);
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;  // the image covers the control
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterGraphClass(HINSTANCE instance) {
    WNDCLASSA graphClass{};
    if (GetClassInfoA(instance, kGraphClassName, &graphClass))
        return;
    graphClass.lpfnWndProc = GraphCallback;
    graphClass.hInstance = instance;
    graphClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    graphClass.lpszClassName = kGraphClassName;
    RegisterClassA(&graphClass);
}

}  // namespace

HWND CreateGraphControl(HWND parent, int id, const PixelImage* image) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterGraphClass(instance);
    HWND control = CreateWindowExA(0, kGraphClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, image->width, image->height,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image));
    return control;
}

void ShowGraph(HWND control) {
    InvalidateRect(control, nullptr, FALSE);
    UpdateWindow(control);
}

void DrawBarLabels(PixelImage& image, const std::vector<BarLabel>& labels, HFONT font) {
    if (image.width <= 0 || image.height <= 0)
        return;
    // The text goes through one DIB section that holds a copy of the image.
    BITMAPINFO info = ImageBitmapInfo(image);
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap.get() == nullptr || bits == nullptr)
        return;
    const size_t length = image.pixels.size() * sizeof(uint32_t);
    std::memcpy(bits, image.pixels.data(), length);
    ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelection selectedBitmap(dc.get(), bitmap.get());
    ScopedSelection selectedFont(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), kProcessorLabelColour);
    for (const BarLabel& label : labels) {
        SIZE extent{};
        GetTextExtentPoint32A(dc.get(), label.text.c_str(), static_cast<int>(label.text.size()), &extent);
        TextOutA(dc.get(), label.centreX - extent.cx / 2, label.y, label.text.c_str(),
                 static_cast<int>(label.text.size()));
    }
    GdiFlush();
    std::memcpy(image.pixels.data(), bits, length);
}
