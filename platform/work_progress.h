// How far an operation has come in bytes: the steps that copy or hash whole files add
// what they are about to read to the total when they start, and each piece read to the
// bytes done. An operation that knows up front what its steps will read reserves it, so
// that the total stands from the start and the bar runs once from its start to its end;
// a step beyond the reservation makes the total grow. The operation's thread counts, the
// window's thread reads; code handed no counter reports nothing.
#pragma once
#include <atomic>
#include <cstdint>

namespace lumaset {

class WorkProgress {
 public:
  // Steps are about to read `bytes` in all: added to the total now, and taken from what
  // they expect later.
  void reserve(std::uint64_t bytes) {
    reserved_ += bytes;
    total_.fetch_add(bytes, std::memory_order_relaxed);
  }
  // A step is about to read `bytes`: what the reservation does not hold is added.
  void expect(std::uint64_t bytes) {
    const std::uint64_t taken = bytes < reserved_ ? bytes : reserved_;
    reserved_ -= taken;
    total_.fetch_add(bytes - taken, std::memory_order_relaxed);
  }
  // A step has read `bytes` more.
  void advance(std::uint64_t bytes) { done_.fetch_add(bytes, std::memory_order_relaxed); }

  std::uint64_t total() const { return total_.load(std::memory_order_relaxed); }
  // Never above the total, whichever of the two was read first.
  std::uint64_t done() const {
    const std::uint64_t t = total(), d = done_.load(std::memory_order_relaxed);
    return d < t ? d : t;
  }

 private:
  std::uint64_t reserved_ = 0;  // the counting thread's alone
  std::atomic<std::uint64_t> total_{0};
  std::atomic<std::uint64_t> done_{0};
};

// Adds to `progress` when there is one.
inline void reserveBytes(WorkProgress* progress, std::uint64_t bytes) {
  if (progress) progress->reserve(bytes);
}
inline void expectBytes(WorkProgress* progress, std::uint64_t bytes) {
  if (progress) progress->expect(bytes);
}
inline void advanceBytes(WorkProgress* progress, std::uint64_t bytes) {
  if (progress) progress->advance(bytes);
}

}  // namespace lumaset
