#pragma once
// A bounded queue that hands blocks from one thread to another, so that reading,
// converting and writing a file overlap while only a few blocks are held at a time.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>

namespace pelikar {

template <class Block>
class BlockQueue {
 public:
  explicit BlockQueue(std::size_t capacity) : capacity_(capacity) {}

  // Waits for room; false if the queue was cancelled, and the block is dropped.
  bool Push(Block block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return cancelled_ || blocks_.size() < capacity_; });
    if (cancelled_) return false;
    blocks_.push_back(std::move(block));
    changed_.notify_all();
    return true;
  }

  // Waits for a block; false once the queue is closed and empty, or cancelled.
  bool Pop(Block& block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return cancelled_ || closed_ || !blocks_.empty(); });
    if (cancelled_ || blocks_.empty()) return false;
    block = std::move(blocks_.front());
    blocks_.pop_front();
    changed_.notify_all();
    return true;
  }

  // No more blocks will come: Pop drains what is queued, then returns false.
  void Close() { Set(closed_); }
  // Something failed: both sides stop at once, whatever is queued.
  void Cancel() { Set(cancelled_); }

 private:
  void Set(bool& flag) {
    std::lock_guard lock(mutex_);
    flag = true;
    changed_.notify_all();
  }

  const std::size_t capacity_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> blocks_;
  bool closed_ = false;
  bool cancelled_ = false;
};

}  // namespace pelikar
