// The PNG widget kit under wine: properties, subclassing and styles, placement, image
// loading, fonts, layered windows with their button states, composition and clipping,
// the load dialog, and that replacing images does not leak.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <thread>

#include "platform/win32_text.h"
#include "support/tiny_png.h"
#include "widgets/gdiplus_include.h"
#include "widgets/gdiplus_text.h"
#include "widgets/image_control.h"
#include "widgets/image_loading.h"
#include "widgets/kit.h"
#include "widgets/layered_window.h"
#include "widgets/load_dialog.h"
#include "widgets/placement.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {
namespace {

struct Colour {
  std::uint8_t r, g, b, a;
};

Bytes solidPng(int w, int h, Colour c) { return testing::solidPngRgba(w, h, c.r, c.g, c.b, c.a); }

std::uint32_t pixel(Gdiplus::GpBitmap* bitmap, int x, int y) {
  Gdiplus::ARGB argb = 0;
  GdipBitmapGetPixel(bitmap, x, y, &argb);
  return argb;
}

// A top-level window for a test, destroyed with it.
class Window {
 public:
  explicit Window(DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, int w = 300, int h = 200) {
    hwnd_ = CreateWindowExW(0, L"Static", L"test", style, 50, 50, w, h, nullptr, nullptr, nullptr, nullptr);
  }
  ~Window() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  HWND child(int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS) {
    return CreateWindowExW(0, L"Static", L"", style, x, y, w, h, hwnd_, nullptr, nullptr, nullptr);
  }

 private:
  HWND hwnd_;
};

TEST(Kit, AttachSetsStylesAndSubclassesTheParentOnce) {
  Window w;
  HWND a = w.child(0, 0, 20, 20), b = w.child(30, 0, 20, 20);
  ImageControl first, second;
  EXPECT_EQ(first.attach(nullptr), 0);
  ASSERT_EQ(first.attach(a), 1);
  std::intptr_t parentProc = getProp(w.hwnd(), kWndProc);
  ASSERT_NE(parentProc, 0);
  ASSERT_EQ(second.attach(b), 1);
  EXPECT_EQ(getProp(w.hwnd(), kWndProc), parentProc);
  EXPECT_EQ(GetWindowLongPtrW(a, GWL_STYLE) & WS_CLIPSIBLINGS, 0);
  EXPECT_NE(GetWindowLongPtrW(a, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  EXPECT_EQ(GetWindowLongPtrW(w.hwnd(), GWL_STYLE) & WS_CLIPCHILDREN, 0);
  EXPECT_TRUE(first.setProperty("PngControl_BackType", 2));
  EXPECT_EQ(first.getProperty("PngControl_BackType"), 2);
  EXPECT_EQ(first.getProperty("Unset"), 0);
  EXPECT_TRUE(first.isWindow());
}

TEST(Kit, PictureBoxCarriesItsTextKindAndStyle) {
  Window w;
  ImageControl box;
  HWND h = box.createPictureBox(w.hwnd(), 5, 6, 40, 30);
  ASSERT_TRUE(IsWindow(h));
  wchar_t text[64] = {};
  GetWindowTextW(h, text, 64);
  EXPECT_EQ(std::wstring(text), L"Kelto真彩控件.图片框");
  EXPECT_EQ(getProp(h, kType), kPictureBox);
  EXPECT_NE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
  EXPECT_NE(getProp(h, kWndProc), 0);
  EXPECT_EQ(ImageControl().attachPictureBox(nullptr), 0);
}

TEST(Kit, PlacementAndColourRules) {
  Placement fit = placeImage(2, 400, 100, 200, 200);
  EXPECT_EQ(fit.x, 0);
  EXPECT_EQ(fit.y, 75);
  EXPECT_EQ(fit.width, 200);
  EXPECT_EQ(fit.height, 50);
  Placement small = placeImage(2, 50, 50, 200, 200);
  EXPECT_EQ(small.x, 75);
  EXPECT_EQ(small.width, 50);
  Placement tall = placeImage(2, 100, 400, 200, 200);  // height-bound: 50 wide, centred
  EXPECT_EQ(tall.width, 50);
  EXPECT_EQ(tall.x, 75);
  Placement stretch = placeImage(1, 400, 100, 200, 200);
  EXPECT_EQ(stretch.height, 200);
  Placement natural = placeImage(0, 400, 100, 200, 200);
  EXPECT_EQ(natural.width, 400);
  EXPECT_EQ(argbFromColorref(0x00332211, 0x80), 0x80112233u);
  EXPECT_EQ(argbFromColorref(0, 0), 0u);
}

TEST(Kit, StateImagesFallBackToTheNormalOne) {
  Window w;
  HWND b = w.child(0, 0, 10, 10);
  setProp(b, kNormalImage, 1);
  setProp(b, kOverImage, 2);
  for (std::intptr_t state : {0, 1, 2, 3, 7}) {
    setProp(b, kDrawState, state);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(stateImage(b)), state == 1 ? 2 : 1) << state;
  }
  RemovePropW(b, kNormalImage);
  RemovePropW(b, kOverImage);
}

TEST(Kit, LoadsImagesFromBytes) {
  EXPECT_EQ(loadImageFromBytes(""), nullptr);
  EXPECT_EQ(loadImageFromBytes("\x89PNG\r\n\x1a\n broken"), nullptr);
  Image* alpha = loadImageFromBytes(solidPng(4, 3, {10, 20, 30, 128}));
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(pixel(reinterpret_cast<Gdiplus::GpBitmap*>(alpha), 1, 1), 0x800A141Eu);
  disposeImage(alpha);

  // Decoded on another thread, adopted on this one: the same pixels, then counted as the
  // kit's; one never adopted leaves nothing behind.
  const std::size_t live = liveImageCount();
  DecodedImage decoded, dropped;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    decoded = decodeImage(solidPng(4, 3, {10, 20, 30, 128}));
    dropped = decodeImage(solidPng(2, 2, {1, 2, 3, 255}));
    CoUninitialize();
  }).join();
  EXPECT_EQ(liveImageCount(), live);
  Image* adopted = adoptDecoded(std::move(decoded));
  ASSERT_NE(adopted, nullptr);
  EXPECT_EQ(decoded.image, nullptr);
  EXPECT_EQ(pixel(reinterpret_cast<Gdiplus::GpBitmap*>(adopted), 1, 1), 0x800A141Eu);
  EXPECT_EQ(liveImageCount(), live + 1);
  disposeImage(adopted);
  EXPECT_EQ(adoptDecoded(decodeImage("not an image")), nullptr);
  EXPECT_EQ(liveImageCount(), live);

  // A 1x1 GIF of two frames, red then blue: the first is the active one.
  const unsigned char gif[] = {
      'G', 'I', 'F', '8', '9', 'a',  1,    0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0,    0xFF, 0x21, 0xF9, 4,
      0,   10,  0,   0,   0,   0x2C, 0,    0, 0, 0, 1,    0, 1, 0,    0, 2, 2, 0x44, 0x01, 0,    0x21, 0xF9,
      4,   0,   10,  0,   0,   0,    0x2C, 0, 0, 0, 0,    1, 0, 1,    0, 0, 2, 2,    0x4C, 0x01, 0,    0x3B};
  Image* animated = loadImageFromBytes(Bytes(reinterpret_cast<const char*>(gif), sizeof gif));
  ASSERT_NE(animated, nullptr);
  UINT frames = 0;
  GdipImageGetFrameCount(animated, &timeFrameDimension(), &frames);
  EXPECT_EQ(frames, 2u);
  EXPECT_EQ(pixel(reinterpret_cast<Gdiplus::GpBitmap*>(animated), 0, 0) & 0xFFFFFF, 0xFF0000u);
  disposeImage(animated);
  EXPECT_EQ(toUtf16("").size(), 2u);
  EXPECT_EQ(toUtf16("图片").size(), 6u);
}

TEST(Kit, FontsFromGdiFonts) {
  auto make = [](int height, int weight) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                       L"WenQuanYi Micro Hei");
  };
  for (auto [height, weight, bold] : {std::tuple{-12, 700, true}, std::tuple{12, 600, true},
                                      std::tuple{-12, 800, false}, std::tuple{-12, 400, false}}) {
    HFONT gdi = make(height, weight);
    FontHandle font;
    ASSERT_NE(font.fromHFONT(gdi), nullptr);
    INT style = -1;
    float size = 0;
    font.style(&style);
    font.size(&size);
    EXPECT_EQ((style & Gdiplus::FontStyleBold) != 0, bold) << weight;
    EXPECT_EQ(size, 12.0f);
    DeleteObject(gdi);
  }
  FontHandle none;
  EXPECT_EQ(none.fromHFONT(nullptr), nullptr);
  Window w;
  EXPECT_EQ(none.fromWindow(w.child(0, 0, 5, 5)), nullptr);  // the system font: nothing
}

class Layered : public ::testing::Test {
 protected:
  Window top{WS_POPUP, 120, 90};
  LayeredWindow layered;
  void SetUp() override { ASSERT_EQ(layered.attach(top.hwnd()), 1); }
  HWND kitChild(int x, int y, int w, int h, std::intptr_t kind) {
    HWND c = top.child(x, y, w, h);
    ImageControl control;
    control.attach(c);
    setProp(c, kType, kind);
    return c;
  }
  Gdiplus::GpBitmap* frame() { return compose(top.hwnd(), true); }
};

TEST_F(Layered, AttachMakesTheWindowLayeredWithOneCaretTimer) {
  EXPECT_EQ(GetWindowLongPtrW(top.hwnd(), GWL_EXSTYLE), WS_EX_LAYERED);
  EXPECT_EQ(getProp(top.hwnd(), kTime), 64);
  EXPECT_EQ(layered.attach(top.hwnd()), 1);
  EXPECT_EQ(getProp(top.hwnd(), kTime), 64);
  EXPECT_EQ(layered.setBackImage(nullptr), 0);
  EXPECT_EQ(LayeredWindow().attach(nullptr), 0);
}

TEST_F(Layered, ComposedFrameHoldsTheBackgroundAndTheChildren) {
  ASSERT_EQ(layered.setBackImageFromBytes(solidPng(120, 90, {0, 0, 255, 128})), 1);
  HWND box = kitChild(10, 10, 20, 20, kPictureBox);
  setImageProp(box, kBackImage, loadImageFromBytes(solidPng(20, 20, {255, 0, 0, 255})));
  HWND plain = top.child(50, 50, 20, 20);  // not a kit control: not drawn
  (void)plain;
  Gdiplus::GpBitmap* f = frame();
  EXPECT_EQ(pixel(f, 5, 5), 0x800000FFu);
  EXPECT_EQ(pixel(f, 15, 15), 0xFFFF0000u);
  EXPECT_EQ(pixel(f, 55, 55), 0x800000FFu);
  GdipDisposeImage(f);
}

TEST_F(Layered, HalfTransparentChildrenBlendAndStopAtTheFrameEdge) {
  ASSERT_EQ(layered.setBackImageFromBytes(solidPng(120, 90, {0, 0, 255, 128})), 1);
  HWND half = kitChild(10, 10, 20, 20, kPictureBox);
  setImageProp(half, kBackImage, loadImageFromBytes(solidPng(20, 20, {255, 0, 0, 128})));
  HWND edge = kitChild(110, 80, 20, 20, kPictureBox);  // half of it beyond the window
  setImageProp(edge, kBackImage, loadImageFromBytes(solidPng(20, 20, {0, 255, 0, 255})));
  HWND stretched = kitChild(40, 40, 30, 30, kPictureBox);  // a 10 × 10 image drawn at 30 × 30
  setProp(stretched, kBackType, 1);
  setImageProp(stretched, kBackImage, loadImageFromBytes(solidPng(10, 10, {255, 255, 0, 255})));
  Gdiplus::GpBitmap* f = frame();
  // Half red over half blue: alpha 192, red 128 and blue 64 premultiplied (170 and 85).
  const std::uint32_t mixed = pixel(f, 15, 15);
  EXPECT_EQ(mixed >> 24, 0xC0u);
  EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 170, 1);
  EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 85, 1);
  EXPECT_EQ(pixel(f, 119, 89), 0xFF00FF00u);
  EXPECT_EQ(pixel(f, 109, 79), 0x800000FFu);
  EXPECT_EQ(pixel(f, 55, 55), 0xFFFFFF00u);
  GdipDisposeImage(f);
}

TEST_F(Layered, ChildLowerInTheZOrderEndsOnTop) {
  HWND a = kitChild(0, 0, 30, 30, kPictureBox);
  HWND b = kitChild(10, 10, 30, 30, kPictureBox);
  setImageProp(a, kBackImage, loadImageFromBytes(solidPng(30, 30, {255, 0, 0, 255})));
  setImageProp(b, kBackImage, loadImageFromBytes(solidPng(30, 30, {0, 255, 0, 255})));
  HWND last = nullptr;
  for (HWND c = GetWindow(top.hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) last = c;
  Gdiplus::GpBitmap* f = frame();
  EXPECT_EQ(pixel(f, 20, 20), last == a ? 0xFFFF0000u : 0xFF00FF00u);
  GdipDisposeImage(f);
}

TEST_F(Layered, OversizedTextBoxImageIsClippedWithoutFrameOrText) {
  HWND t = kitChild(10, 10, 20, 10, kTextBox);
  setProp(t, kBackColor, -1);
  setProp(t, kOrderColor, 0x0000FF);
  setProp(t, kOrderAlpha, 255);
  setImageProp(t, kBackImage, loadImageFromBytes(solidPng(60, 60, {0, 255, 0, 255})));
  Gdiplus::GpBitmap* f = frame();
  EXPECT_EQ(pixel(f, 10, 10), 0xFF00FF00u);  // no frame line over the image's corner
  EXPECT_EQ(pixel(f, 29, 19), 0xFF00FF00u);
  EXPECT_EQ(pixel(f, 31, 12), 0u);  // nothing beyond the box
  EXPECT_EQ(pixel(f, 12, 21), 0u);
  GdipDisposeImage(f);
}

TEST_F(Layered, TextBoxDrawsItsFillFrameAndText) {
  HWND t = kitChild(10, 10, 60, 24, kTextBox);
  HFONT font = CreateFontW(-14, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"WenQuanYi Micro Hei");
  SendMessageW(t, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowTextW(t, L"WWWW");
  setProp(t, kTextColor, 0x0000FF);  // red, as a COLORREF
  setProp(t, kBackColor, 0xFF0000);  // blue fill
  setProp(t, kBackAlpha, 255);
  setProp(t, kOrderColor, 0x00FF00);
  setProp(t, kOrderAlpha, 255);
  Gdiplus::GpBitmap* f = frame();
  EXPECT_EQ(pixel(f, 10, 10), 0xFF00FF00u);  // the frame's corner
  EXPECT_EQ(pixel(f, 68, 30), 0xFF0000FFu);  // fill, right of the text
  int red = 0;
  for (int y = 12; y < 32; ++y)
    for (int x = 12; x < 40; ++x) red += (pixel(f, x, y) & 0x00FF0000) > 0x00800000;
  EXPECT_GT(red, 10) << "no text drawn";
  GdipDisposeImage(f);
  DeleteObject(font);
}

TEST_F(Layered, ButtonStatesFollowRealMessages) {
  HWND b = kitChild(0, 0, 30, 20, kImageButton);
  layered.refresh();
  layered.refresh();  // adopts each child once
  auto adopted = getProp(b, kChildWndProc);
  ASSERT_NE(adopted, 0);
  auto state = [&] { return getProp(b, kDrawState); };
  SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(state(), 1);
  unsigned long before = composeCount();
  SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(composeCount(), before);  // hovering on does not recompose
  SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(state(), 2);
  SendMessageW(b, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(state(), 1);
  SendMessageW(b, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(state(), 0);
  SendMessageW(b, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(state(), 0);
  EnableWindow(b, FALSE);
  EXPECT_EQ(state(), 3);
  EnableWindow(b, TRUE);
  EXPECT_EQ(state(), 0);
  EXPECT_EQ(getProp(b, kChildWndProc), adopted);
}

TEST_F(Layered, PictureBoxStopsPaintingItselfAfterRefresh) {
  ImageControl box;
  HWND h = box.createPictureBox(top.hwnd(), 0, 0, 10, 10);
  ASSERT_NE(getProp(h, kWndProc), 0);
  layered.refresh();
  EXPECT_EQ(getProp(h, kWndProc), 0);
  EXPECT_NE(getProp(h, kChildWndProc), 0);
}

TEST(Kit, LoadDialogReleasesWhatItHoldsOnDestroy) {
  HWND bare = CreateWindowExW(0, kLoadDialogClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(IsWindow(bare));
  EXPECT_TRUE(DestroyWindow(bare));  // no properties: nothing to release

  HWND dialog = CreateWindowExW(0, kLoadDialogClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID) -> DWORD {
        Sleep(60000);
        return 0;
      },
      nullptr, 0, nullptr);
  HANDLE watch = nullptr;
  DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &watch, 0, FALSE, DUPLICATE_SAME_ACCESS);
  setProp(dialog, kDialogThread, reinterpret_cast<std::intptr_t>(thread));
  Gdiplus::GpBitmap* image = nullptr;
  GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &image);
  setProp(dialog, kDialogImage, reinterpret_cast<std::intptr_t>(image));
  setProp(dialog, kDialogStream, reinterpret_cast<std::intptr_t>(GlobalAlloc(GMEM_FIXED, 16)));
  EXPECT_TRUE(DestroyWindow(dialog));
  EXPECT_EQ(WaitForSingleObject(watch, 5000), WAIT_OBJECT_0);  // the worker was stopped
  CloseHandle(watch);
}

TEST(Kit, ControlColourFromOtherChildrenReachesTheParent) {
  static int seen = 0;
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_CTLCOLORSTATIC) ++seen;
    return DefWindowProcW(h, m, wp, lp);
  };
  wc.lpszClassName = L"LumasetColourParent";
  RegisterClassW(&wc);
  HWND parent =
      CreateWindowExW(0, L"LumasetColourParent", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND plain = CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
  HWND kitText = CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
  ImageControl control;
  control.attach(kitText);
  setProp(kitText, kType, kTextBox);
  HDC dc = GetDC(parent);
  seen = 0;
  SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(plain));
  EXPECT_EQ(seen, 1);
  LRESULT brush =
      SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(kitText));
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  ReleaseDC(parent, dc);
  DestroyWindow(parent);
}

TEST(Kit, MoveToKeepsWhatIsNotGiven) {
  Window w;
  HWND c = w.child(10, 20, 30, 40);
  ImageControl control;
  control.attach(c);
  control.moveTo(15, std::nullopt, std::nullopt, std::nullopt);
  RECT r;
  GetWindowRect(c, &r);
  POINT p{r.left, r.top};
  ScreenToClient(w.hwnd(), &p);
  EXPECT_EQ(p.x, 15);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(r.right - r.left, 30);
  EXPECT_EQ(r.bottom - r.top, 40);
}

TEST(Kit, ASecondToolTipUpdatesTheFirst) {
  Window w;
  HWND c = w.child(0, 0, 30, 30);
  ImageControl control;
  control.attach(c);
  LRESULT before = SendMessageW(sharedToolTip(), TTM_GETTOOLCOUNT, 0, 0);
  control.setToolTip("这个主题有 @1x 尺寸启动图");
  control.setToolTip("another text");
  EXPECT_EQ(SendMessageW(sharedToolTip(), TTM_GETTOOLCOUNT, 0, 0), before + 1);
  EXPECT_EQ(getProp(c, kToolTips), 1);
}

TEST(Kit, ReplacingImagesAThousandsTimesDoesNotLeak) {
  Window w(WS_POPUP | WS_VISIBLE, 100, 100);
  ImageControl box;
  HWND h = box.createPictureBox(w.hwnd(), 0, 0, 64, 64);
  Bytes png = solidPng(64, 64, {1, 2, 3, 200});
  auto measure = [&] {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return std::tuple{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                      GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), counters.PrivateUsage};
  };
  for (int i = 0; i < 200; ++i) {
    box.setBackImageFromBytes(png);
    UpdateWindow(h);
  }
  ASSERT_NE(getProp(h, kCacheBitmap), 0);  // the paints ran and took their snapshots
  auto [gdi0, user0, private0] = measure();
  std::size_t images0 = liveImageCount();
  for (int i = 0; i < 3000; ++i) {
    box.setBackImageFromBytes(png);
    UpdateWindow(h);
  }
  auto [gdi1, user1, private1] = measure();
  EXPECT_EQ(liveImageCount(), images0);
  EXPECT_LE(gdi1, gdi0 + 2);
  EXPECT_LE(user1, user0 + 2);
  EXPECT_LT(private1, private0 + (8u << 20)) << "private bytes grew from " << private0 << " to " << private1;
  DestroyWindow(h);
  EXPECT_EQ(liveImageCount(), images0 - 1);  // the window took its image with it
}

}  // namespace
}  // namespace lumaset::kit

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  lumaset::kit::kitStartup();
  int result = RUN_ALL_TESTS();
  lumaset::kit::kitShutdown();
  return result;
}
