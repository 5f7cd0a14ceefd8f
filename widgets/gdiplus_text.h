// Owners of the GDI+ handles that drawing text needs: a font, a font family and a string
// format. Each frees its handle when it is replaced or destroyed.
#pragma once
#include <windows.h>

#include "widgets/gdiplus_include.h"

#include <string>

namespace lumaset::kit {

class FontFamilyHandle {
 public:
  FontFamilyHandle() = default;
  ~FontFamilyHandle() { release(); }
  FontFamilyHandle(const FontFamilyHandle&) = delete;
  FontFamilyHandle& operator=(const FontFamilyHandle&) = delete;

  void release();
  Gdiplus::GpStatus createFromName(const std::string& utf8Name);
  Gdiplus::GpFontFamily* handle() const { return handle_; }
  void setHandle(Gdiplus::GpFontFamily* handle);

 private:
  Gdiplus::GpFontFamily* handle_ = nullptr;
};

class FontHandle {
 public:
  FontHandle() = default;
  ~FontHandle() { release(); }
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;

  void release();
  Gdiplus::GpStatus create(const std::string& family, float size, int style, Gdiplus::Unit unit);
  Gdiplus::GpStatus fromDC(HDC dc);
  Gdiplus::GpFont* fromWindow(HWND window);
  // Bold only for weights 600 and 700; the size is |lfHeight| pixels.
  Gdiplus::GpFont* fromHFONT(HFONT font);
  Gdiplus::GpFont* handle() const { return handle_; }
  void setHandle(Gdiplus::GpFont* handle);
  Gdiplus::GpStatus style(INT* out) const;
  Gdiplus::GpStatus size(float* out) const;
  Gdiplus::GpStatus unit(Gdiplus::Unit* out) const;
  Gdiplus::GpStatus height(Gdiplus::GpGraphics* graphics, float* out) const;

 private:
  Gdiplus::GpFont* handle_ = nullptr;
};

class StringFormatHandle {
 public:
  StringFormatHandle() = default;
  ~StringFormatHandle() { release(); }
  StringFormatHandle(const StringFormatHandle&) = delete;
  StringFormatHandle& operator=(const StringFormatHandle&) = delete;

  void release();
  Gdiplus::GpStatus create(INT flags, LANGID language);
  Gdiplus::GpStatus setAlignment(Gdiplus::StringAlignment alignment);
  Gdiplus::GpStatus setLineAlignment(Gdiplus::StringAlignment alignment);
  void setAlignments(Gdiplus::StringAlignment alignment, Gdiplus::StringAlignment line);
  void setHandle(Gdiplus::GpStringFormat* handle);
  Gdiplus::GpStringFormat* handle() const { return handle_; }

 private:
  Gdiplus::GpStringFormat* handle_ = nullptr;
};

}  // namespace lumaset::kit
