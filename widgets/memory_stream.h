// A byte string behind a COM stream, for GDI+ to decode images from memory.
#pragma once
#include <windows.h>
#include <objidl.h>

#include "formats/bytes.h"

namespace lumaset::kit {

class MemoryStream {
 public:
  MemoryStream() = default;
  ~MemoryStream() { release(); }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  // Frees the stream and the memory block.
  void release();
  // With copy, a fixed block holding the bytes that this object owns; without, an empty
  // growable block that the stream frees when it is released.
  IStream* open(const Bytes& bytes, bool copy);
  IStream* stream() const { return stream_; }
  SIZE_T size() const { return block_ ? GlobalSize(block_) : 0; }
  Bytes readAll() const;

 private:
  HGLOBAL block_ = nullptr;
  IStream* stream_ = nullptr;
};

}  // namespace lumaset::kit
