#pragma once
// Cuts the character stream from the serial line into packets.
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace calvor {

class PacketFramer {
 public:
  // A buffer holding this many characters after a chunk is dropped.
  static constexpr size_t MaxBuffered = 1024;

  using PacketHandler = std::function<void(std::string_view packet)>;

  explicit PacketFramer(PacketHandler handler) : handler_(std::move(handler)) {}

  // Until a marker is set every received chunk is handed over as it comes.
  void SetEndMarker(std::string marker) { marker_ = std::move(marker); }
  const std::string& EndMarker() const { return marker_; }

  // Appends a received chunk and hands over every complete packet in order.
  // Safe to call from inside the handler: such chunks are taken after the
  // current one, so packets never overtake each other.
  void Receive(std::string_view chunk);

  // Characters of an unfinished packet.
  const std::string& Buffered() const { return buffer_; }

 private:
  void Take(std::string_view chunk);

  PacketHandler handler_;
  std::string marker_;
  std::string buffer_;
  bool delivering_ = false;
  std::deque<std::string> pending_;
};

}  // namespace calvor
