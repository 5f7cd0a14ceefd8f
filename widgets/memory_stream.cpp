#include "widgets/memory_stream.h"

#include <cstring>

namespace lumaset::kit {

void MemoryStream::release() {
  if (stream_) {
    stream_->Release();
    stream_ = nullptr;
  }
  if (block_) {
    GlobalFree(block_);
    block_ = nullptr;
  }
}

IStream* MemoryStream::open(const Bytes& bytes, bool copy) {
  release();
  if (copy) {
    block_ = GlobalAlloc(GMEM_FIXED, bytes.size());
    if (!block_) return nullptr;
    void* target = GlobalLock(block_);
    if (target && !bytes.empty()) std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block_);
    if (CreateStreamOnHGlobal(block_, FALSE, &stream_) != S_OK) stream_ = nullptr;
  } else {
    HGLOBAL growable = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (CreateStreamOnHGlobal(growable, TRUE, &stream_) != S_OK) {
      stream_ = nullptr;
      GlobalFree(growable);
    }
  }
  return stream_;
}

Bytes MemoryStream::readAll() const {
  if (!block_) return {};
  const void* source = GlobalLock(block_);
  Bytes copy(static_cast<const char*>(source), size());
  GlobalUnlock(block_);
  return copy;
}

}  // namespace lumaset::kit
