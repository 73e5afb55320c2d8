#include "base/stream.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "base/errors.h"
#include "base/messages.h"

int64_t TStream::size() {
  int64_t here = seek(0, SeekOrigin::Current);
  int64_t end = seek(0, SeekOrigin::End);
  seek(here, SeekOrigin::Beginning);
  return end;
}

void TStream::readBuffer(void* buffer, size_t count) {
  if (count != 0 && read(buffer, count) != count) throw EReadError(msg::kReadError);
}

void TStream::writeBuffer(const void* buffer, size_t count) {
  if (count != 0 && write(buffer, count) != count) throw EWriteError(msg::kWriteError);
}

TMemoryStream::TMemoryStream(const std::string& bytes) {
  write(bytes.data(), bytes.size());
  position_ = 0;
}

size_t TMemoryStream::read(void* buffer, size_t count) {
  if (position_ >= size_) return 0;
  size_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  size_t end = position_ + count;
  if (end < position_) throw EStreamError(msg::kMemoryStreamError);
  if (end > size_) {
    reserve(end);
    if (position_ > size_) std::memset(bytes_.data() + size_, 0, position_ - size_);
    size_ = end;
  }
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ = end;
  return count;
}

int64_t TMemoryStream::seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::Beginning ? 0
                 : origin == SeekOrigin::Current ? static_cast<int64_t>(position_)
                                                 : static_cast<int64_t>(size_);
  int64_t target = base + offset;
  position_ = target < 0 ? 0 : static_cast<size_t>(target);
  return static_cast<int64_t>(position_);
}

void TMemoryStream::clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  size_ = 0;
  position_ = 0;
}

void TMemoryStream::setSize(size_t size) {
  reserve(size);
  if (size > size_) std::memset(bytes_.data() + size_, 0, size - size_);
  size_ = size;
  if (position_ > size_) position_ = size_;
}

// Grows geometrically so that many small writes cost linear time in total.
void TMemoryStream::reserve(size_t capacity) {
  if (capacity <= bytes_.size()) return;
  size_t grown = std::max(capacity, bytes_.size() + bytes_.size() / 2 + 64);
  try {
    bytes_.resize(grown);
  } catch (const std::bad_alloc&) {
    throw EStreamError(msg::kMemoryStreamError);
  } catch (const std::length_error&) {
    throw EStreamError(msg::kMemoryStreamError);
  }
}
