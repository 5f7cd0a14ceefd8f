#include "widgets/kit.h"

#include "widgets/gdiplus_include.h"

#include "widgets/image_loading.h"
#include "widgets/load_dialog.h"

namespace lumaset::kit {
namespace {

ULONG_PTR& gdiplusToken() {
  static ULONG_PTR token = 0;
  return token;
}

GUID& timeDimension() {
  static GUID guid{};
  return guid;
}

}  // namespace

void kitStartup() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, codecs on
  Gdiplus::GdiplusStartup(&gdiplusToken(), &input, nullptr);
  Bytes name = toUtf16("{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}");
  CLSIDFromString(reinterpret_cast<LPCOLESTR>(name.data()), &timeDimension());
  registerLoadDialogClass();
}

void kitShutdown() {
  disposeAllImages();
  if (gdiplusToken()) Gdiplus::GdiplusShutdown(gdiplusToken());
  gdiplusToken() = 0;
}

const GUID& timeFrameDimension() { return timeDimension(); }

Bytes toUtf16(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  Bytes out(static_cast<std::size_t>(n) * 2, '\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

}  // namespace lumaset::kit
