#include "link/packet_framer.h"

namespace calvor {

void PacketFramer::Receive(std::string_view chunk) {
  if (delivering_) {
    pending_.emplace_back(chunk);
    return;
  }
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{delivering_};
  delivering_ = true;
  const auto drain = [this] {
    while (!pending_.empty()) {
      const std::string next = std::move(pending_.front());
      pending_.pop_front();
      Take(next);
    }
  };
  drain();  // left over if a handler threw
  Take(chunk);
  drain();
}

void PacketFramer::Take(std::string_view chunk) {
  if (marker_.empty()) {
    handler_(chunk);
    return;
  }
  buffer_.append(chunk);
  size_t begin = 0;
  try {
    for (;;) {
      const size_t end = buffer_.find(marker_, begin);
      if (end == std::string::npos) break;
      const size_t start = begin;
      begin = end + marker_.size();
      // The handler cannot touch the buffer (re-entrant chunks wait), so the
      // view stays valid for the call.
      handler_(std::string_view(buffer_).substr(start, end - start));
    }
  } catch (...) {
    buffer_.erase(0, begin);  // a packet is handed over once, whatever its handler did
    throw;
  }
  buffer_.erase(0, begin);
  if (buffer_.size() >= MaxBuffered) buffer_.clear();
}

}  // namespace calvor
