// The user's request that a run stop (Ctrl-C on the command line): the run
// looks at it between files, so that no file is left half written, and
// while it waits for another conversion.
#ifndef S1ORDO_HELPERS_STOP_REQUEST_H_
#define S1ORDO_HELPERS_STOP_REQUEST_H_

#include <atomic>

namespace s1ordo {

// Thrown where a run sees the request; not an Error: nothing failed.
struct RunStopped {};

class StopRequest {
 public:
  // Safe to call from a signal handler or another thread.
  void Ask() { asked_.store(true, std::memory_order_relaxed); }
  bool asked() const { return asked_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> asked_{false};
  static_assert(std::atomic<bool>::is_always_lock_free, "Ask() is called from signal handlers");
};

// Throws RunStopped when the request (may be null) has been made.
inline void StopIfAsked(const StopRequest* stop) {
  if (stop && stop->asked()) throw RunStopped{};
}

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_STOP_REQUEST_H_
