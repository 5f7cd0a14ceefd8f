#include "widgets/gdiplus_text.h"

#include <cstdlib>

#include "platform/win32_text.h"

using namespace Gdiplus::DllExports;

namespace lumaset::kit {

void FontFamilyHandle::release() {
  if (handle_) GdipDeleteFontFamily(handle_);
  handle_ = nullptr;
}

Gdiplus::GpStatus FontFamilyHandle::createFromName(const std::string& utf8Name) {
  Gdiplus::GpFontFamily* family = nullptr;
  Gdiplus::GpStatus status = GdipCreateFontFamilyFromName(lumaset::toWide(utf8Name).c_str(), nullptr, &family);
  setHandle(family);
  return status;
}

void FontFamilyHandle::setHandle(Gdiplus::GpFontFamily* handle) {
  release();
  handle_ = handle;
}

void FontHandle::release() {
  if (handle_) GdipDeleteFont(handle_);
  handle_ = nullptr;
}

Gdiplus::GpStatus FontHandle::create(const std::string& family, float size, int style, Gdiplus::Unit unit) {
  FontFamilyHandle f;
  f.createFromName(family);
  Gdiplus::GpFont* font = nullptr;
  Gdiplus::GpStatus status = GdipCreateFont(f.handle(), size, style, unit, &font);
  setHandle(font);
  return status;
}

Gdiplus::GpStatus FontHandle::fromDC(HDC dc) {
  Gdiplus::GpFont* font = nullptr;
  Gdiplus::GpStatus status = GdipCreateFontFromDC(dc, &font);
  setHandle(font);
  return status;
}

Gdiplus::GpFont* FontHandle::fromWindow(HWND window) {
  return fromHFONT(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
}

Gdiplus::GpFont* FontHandle::fromHFONT(HFONT gdiFont) {
  if (!gdiFont) return nullptr;
  LOGFONTW lf{};
  GetObjectW(gdiFont, sizeof lf, &lf);
  int style = 0;
  if (lf.lfWeight == 600 || lf.lfWeight == 700) style |= Gdiplus::FontStyleBold;
  if (lf.lfItalic == 1) style |= Gdiplus::FontStyleItalic;
  if (lf.lfUnderline == 1) style |= Gdiplus::FontStyleUnderline;
  if (lf.lfStrikeOut == 1) style |= Gdiplus::FontStyleStrikeout;
  FontFamilyHandle family;
  family.createFromName(fromWide(lf.lfFaceName));
  Gdiplus::GpFont* font = nullptr;
  GdipCreateFont(family.handle(), static_cast<float>(std::abs(lf.lfHeight)), style, Gdiplus::UnitPixel, &font);
  setHandle(font);
  return handle_;
}

void FontHandle::setHandle(Gdiplus::GpFont* handle) {
  release();
  handle_ = handle;
}

Gdiplus::GpStatus FontHandle::style(INT* out) const { return GdipGetFontStyle(handle_, out); }
Gdiplus::GpStatus FontHandle::size(float* out) const { return GdipGetFontSize(handle_, out); }
Gdiplus::GpStatus FontHandle::unit(Gdiplus::Unit* out) const { return GdipGetFontUnit(handle_, out); }
Gdiplus::GpStatus FontHandle::height(Gdiplus::GpGraphics* graphics, float* out) const {
  return GdipGetFontHeight(handle_, graphics, out);
}

void StringFormatHandle::release() {
  if (handle_) GdipDeleteStringFormat(handle_);
  handle_ = nullptr;
}

Gdiplus::GpStatus StringFormatHandle::create(INT flags, LANGID language) {
  Gdiplus::GpStringFormat* format = nullptr;
  Gdiplus::GpStatus status = GdipCreateStringFormat(flags, language, &format);
  setHandle(format);
  return status;
}

Gdiplus::GpStatus StringFormatHandle::setAlignment(Gdiplus::StringAlignment alignment) {
  return GdipSetStringFormatAlign(handle_, alignment);
}

Gdiplus::GpStatus StringFormatHandle::setLineAlignment(Gdiplus::StringAlignment alignment) {
  return GdipSetStringFormatLineAlign(handle_, alignment);
}

void StringFormatHandle::setAlignments(Gdiplus::StringAlignment alignment, Gdiplus::StringAlignment line) {
  setAlignment(alignment);
  setLineAlignment(line);
}

void StringFormatHandle::setHandle(Gdiplus::GpStringFormat* handle) {
  release();
  handle_ = handle;
}

}  // namespace lumaset::kit
