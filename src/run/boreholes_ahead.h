// The chosen boreholes converted ahead of their turn on a second thread,
// while the run writes the ones before into place. Each is converted
// through an AheadEnv of its own, with lookups, legend lists and code lists
// of the thread's own over the pattern data as it stands; the run takes the
// results in list order. A borehole whose work cannot be taken as it is
// (it extends the pattern data, it failed or stopped, or it started from
// count-file values that the run does not hold) is converted again in its
// turn, exactly as without the thread; the thread is stopped for that and
// started again after it, so nothing of the pattern data changes while it
// reads.
#ifndef S1ORDO_RUN_BOREHOLES_AHEAD_H_
#define S1ORDO_RUN_BOREHOLES_AHEAD_H_

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "helpers/env.h"
#include "helpers/stop_request.h"
#include "run/ahead_env.h"
#include "run/report.h"
#include "run/run.h"
#include "run/session.h"
#include "run/staging.h"

namespace s1ordo {

// One borehole's work done ahead.
struct AheadBorehole {
  size_t index = 0;     // in the list of boreholes
  bool usable = false;  // false: to be converted in its turn
  CountFileCarry carry_in;
  CountFileCarry carry_out;
  BoreholeResult result;
  AheadWork work;
};

class BoreholesAhead {
 public:
  struct Borehole {
    std::string name;
    BoreholeJob job;
  };
  // env: one for this thread alone (the session's ahead_env).
  // vocabulary: the run's, read under its lock. The user's stop request
  // of the options ends the work ahead too.
  BoreholesAhead(Env& env, const Settings& settings, const GeologyVocabulary& vocabulary, const RunOptions& options,
                 std::vector<Borehole> boreholes);
  BoreholesAhead(const BoreholesAhead&) = delete;
  BoreholesAhead& operator=(const BoreholesAhead&) = delete;
  ~BoreholesAhead() { Stop(); }

  // Starts the thread at borehole `from` with the count-file values the run
  // holds before it; stops it first if it runs.
  void Start(size_t from, const CountFileCarry& carry);
  // Stops the thread and drops what it did ahead.
  void Stop();
  // Borehole k's work, once the thread has done it; null when the thread
  // does not work on it (it is stopped, or stopped itself before k).
  std::unique_ptr<AheadBorehole> Take(size_t k);

 private:
  void Work(size_t from, CountFileCarry carry);
  void WorkFrom(size_t from, CountFileCarry carry);
  bool WaitForRoom();
  void Push(std::unique_ptr<AheadBorehole> done);

  Env& env_;
  const Settings& settings_;
  const GeologyVocabulary& vocabulary_;
  const RunOptions& options_;
  const std::vector<Borehole> boreholes_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<AheadBorehole>> done_;  // in list order
  bool working_ = false;                             // the thread has more to push
  std::unique_ptr<StopRequest> cancel_;
  std::thread thread_;
};

// Whether a run may convert ahead: no two boreholes share a work folder
// (names that differ in letter case only).
bool WorkFoldersApart(PathForm form, const std::vector<BoreholesAhead::Borehole>& boreholes);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_BOREHOLES_AHEAD_H_
