// The chosen boreholes converted ahead of their turn on threads of their
// own, while the run writes the ones before into place. Each thread takes
// the next borehole of the list in turn and converts it through an AheadEnv
// of its own, with lookups, legend lists and code lists of the thread's own
// over the pattern data as it stands; the run takes the results in list
// order. A borehole whose work cannot be taken as it is (it extends the
// pattern data, it failed or stopped, or it took count-file values from an
// earlier borehole other than those the run holds) is converted again in
// its turn, exactly as without the threads; they are stopped for that and
// started again after it, so nothing of the pattern data changes while
// they read.
#ifndef S1ORDO_RUN_BOREHOLES_AHEAD_H_
#define S1ORDO_RUN_BOREHOLES_AHEAD_H_

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "helpers/env.h"
#include "helpers/stop_request.h"
#include "run/ahead_env.h"
#include "run/ahead_folder.h"
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
  AheadFiles files;
  std::string held;  // the folder of the run's AheadFolder that holds them written ("" for none)
};

class BoreholesAhead {
 public:
  struct Borehole {
    std::string name;
    BoreholeJob job;
    bool folder_made = false;  // the run made its work folder
  };
  // envs: one for each thread, for it alone (the session's ahead_envs).
  // vocabulary: the run's, read under its lock. The user's stop request
  // of the options ends the work ahead too. folder: where the threads write
  // the boreholes whose work folders the run made (null: the run writes
  // every borehole's files in its turn); it is the run's, through env.
  BoreholesAhead(std::vector<Env*> envs, const Settings& settings, const GeologyVocabulary& vocabulary,
                 const RunOptions& options, std::vector<Borehole> boreholes, Env& env,
                 std::unique_ptr<AheadFolder> folder);
  BoreholesAhead(const BoreholesAhead&) = delete;
  BoreholesAhead& operator=(const BoreholesAhead&) = delete;
  ~BoreholesAhead() { Stop(); }

  // Starts the threads at borehole `from` with the count-file values the
  // run holds before it; stops them first if they run.
  void Start(size_t from, const CountFileCarry& carry);
  // Stops the threads and drops what they did ahead.
  void Stop();
  // Borehole k's work, once a thread has done it; null when none works on
  // it (they are stopped, or stopped taking boreholes before k).
  std::unique_ptr<AheadBorehole> Take(size_t k);
  // Puts the work taken into its work folder: the folder that holds it in
  // the empty work folder's place, else its files written there
  // (WriteAhead). False, with nothing written, when it is to be converted
  // in its turn; a failure while writing throws Error.
  bool Place(AheadBorehole& done);
  // Drops the work taken, with the folder that holds it.
  void Drop(AheadBorehole& done);

 private:
  void Work(Env& env);
  void WorkOn(Env& env);
  bool NextBorehole(size_t* k);
  CountFileCarry CarryBefore(Env& env, size_t k) const;
  void Push(std::unique_ptr<AheadBorehole> done);

  const std::vector<Env*> envs_;
  const Settings& settings_;
  const GeologyVocabulary& vocabulary_;
  const RunOptions& options_;
  const std::vector<Borehole> boreholes_;
  Env& env_;  // the run's
  const std::unique_ptr<AheadFolder> folder_;

  size_t from_ = 0;  // where the threads started, with start_carry_
  CountFileCarry start_carry_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<size_t, std::unique_ptr<AheadBorehole>> done_;  // by list index
  size_t next_ = 0;     // the next borehole a thread takes
  size_t end_ = 0;      // no thread takes a borehole from here on
  size_t wanted_ = 0;   // the borehole the run takes next
  size_t working_ = 0;  // threads still running
  std::unique_ptr<StopRequest> cancel_;
  std::vector<std::thread> threads_;
};

// Whether a run may convert ahead: no two boreholes share a work folder
// (names that differ in letter case only).
bool WorkFoldersApart(PathForm form, const std::vector<BoreholesAhead::Borehole>& boreholes);

}  // namespace s1ordo

#endif  // S1ORDO_RUN_BOREHOLES_AHEAD_H_
