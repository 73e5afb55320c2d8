// Byte streams: the abstract TStream and the in-memory TMemoryStream the converters work on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class SeekOrigin { Beginning, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;

  // Copies up to `count` bytes into `buffer`; returns how many were copied (0 at the end).
  virtual size_t read(void* buffer, size_t count) = 0;
  // Writes `count` bytes; returns how many were written.
  virtual size_t write(const void* buffer, size_t count) = 0;
  // Moves the position; returns the new position. The position may not go below 0.
  virtual int64_t seek(int64_t offset, SeekOrigin origin) = 0;

  int64_t position() { return seek(0, SeekOrigin::Current); }
  void setPosition(int64_t position) { seek(position, SeekOrigin::Beginning); }
  int64_t size();

  // Reads exactly `count` bytes or throws EReadError "Stream read error".
  void readBuffer(void* buffer, size_t count);
  // Writes exactly `count` bytes or throws EWriteError "Stream write error".
  void writeBuffer(const void* buffer, size_t count);
};

// A growable block of memory. Growth that cannot be had throws EStreamError
// "Out of memory while expanding memory stream".
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(const std::string& bytes);

  size_t read(void* buffer, size_t count) override;
  size_t write(const void* buffer, size_t count) override;
  int64_t seek(int64_t offset, SeekOrigin origin) override;

  void clear();
  void setSize(size_t size);
  const char* data() const { return bytes_.data(); }
  size_t length() const { return size_; }
  std::string str() const { return std::string(bytes_.data(), size_); }

 private:
  void reserve(size_t capacity);

  std::vector<char> bytes_;  // capacity; the first size_ bytes are the content
  size_t size_ = 0;
  size_t position_ = 0;
};
