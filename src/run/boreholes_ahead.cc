// The threads that convert boreholes ahead of their turn, and the
// hand-over of their results in list order.
#include "run/boreholes_ahead.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <system_error>

#include "run/borehole_run.h"
#include "run/run_caches.h"
#include "run/run_env.h"

namespace s1ordo {
namespace {

// Boreholes taken by the threads beyond the one the run takes next: enough
// to keep the threads busy while the run writes one, few enough to bound
// the memory their work holds.
constexpr size_t kMostAhead = 3;

}  // namespace

BoreholesAhead::BoreholesAhead(std::vector<Env*> envs, const Settings& settings, const GeologyVocabulary& vocabulary,
                               const RunOptions& options, std::vector<Borehole> boreholes, Env& env,
                               std::unique_ptr<AheadFolder> folder)
    : envs_(std::move(envs)),
      settings_(settings),
      vocabulary_(vocabulary),
      options_(options),
      boreholes_(std::move(boreholes)),
      env_(env),
      folder_(std::move(folder)) {}

void BoreholesAhead::Start(size_t from, const CountFileCarry& carry) {
  Stop();
  if (from >= boreholes_.size()) return;
  cancel_ = std::make_unique<StopRequest>();
  from_ = from;
  start_carry_ = carry;
  std::lock_guard<std::mutex> hold(mutex_);
  next_ = wanted_ = from;
  end_ = boreholes_.size();
  for (Env* env : envs_) {
    ++working_;
    try {
      threads_.emplace_back([this, env] { Work(*env); });
    } catch (const std::system_error&) {
      --working_;  // fewer threads: what none does ahead is done in turn
      break;
    }
  }
}

void BoreholesAhead::Stop() {
  if (threads_.empty()) return;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    cancel_->Ask();
  }
  changed_.notify_all();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
  std::lock_guard<std::mutex> hold(mutex_);
  for (auto& [k, done] : done_) Drop(*done);
  done_.clear();
}

std::unique_ptr<AheadBorehole> BoreholesAhead::Take(size_t k) {
  std::unique_lock<std::mutex> hold(mutex_);
  wanted_ = k;
  changed_.notify_all();  // room for one more
  changed_.wait(hold, [&] { return done_.count(k) || k >= end_ || working_ == 0; });
  auto found = done_.find(k);
  if (found == done_.end()) return nullptr;
  std::unique_ptr<AheadBorehole> taken = std::move(found->second);
  for (auto it = done_.begin(); it != found; ++it) Drop(*it->second);
  done_.erase(done_.begin(), std::next(found));
  return taken;
}

bool BoreholesAhead::Place(AheadBorehole& done) {
  if (!done.held.empty() && env_.ReplaceEmptyFolder(done.held, done.files.work_folder)) {
    folder_->Reuse(done.held);
    done.held.clear();
    return true;
  }
  Drop(done);
  return WriteAhead(env_, done.files);
}

void BoreholesAhead::Drop(AheadBorehole& done) {
  if (!done.held.empty()) folder_->Drop(env_, done.held);
  done.held.clear();
}

bool BoreholesAhead::NextBorehole(size_t* k) {
  std::unique_lock<std::mutex> hold(mutex_);
  changed_.wait(hold, [&] { return cancel_->asked() || next_ >= end_ || next_ < wanted_ + kMostAhead; });
  if (cancel_->asked() || next_ >= end_) return false;
  *k = next_++;
  return true;
}

void BoreholesAhead::Push(std::unique_ptr<AheadBorehole> done) {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    const size_t k = done->index;
    // The run converts an unusable one in its turn, with the threads
    // stopped: none takes a borehole after it.
    if (!done->usable) end_ = std::min(end_, k + 1);
    done_[k] = std::move(done);
  }
  changed_.notify_all();
}

void BoreholesAhead::Work(Env& env) {
  try {
    WorkOn(env);
  } catch (...) {
    // Out of memory setting up: what is not done ahead is done in turn.
  }
  std::lock_guard<std::mutex> hold(mutex_);
  --working_;
  changed_.notify_all();
}

// The count-file values that borehole k starts from as the boreholes
// before it leave them when they convert as their source folders stand: the
// last "CNT.TXT" with data before k, else the run's values at the start.
// The other thread may still be converting borehole k - 1; the run takes
// the work only where the guess was right or did not matter.
CountFileCarry BoreholesAhead::CarryBefore(Env& env, size_t k) const {
  for (size_t j = k; j-- > from_;) {
    CountFileCarry carry;
    try {
      if (ReadCountFileCarry(env, boreholes_[j].job.source_folder + "CNT.TXT", carry)) return carry;
    } catch (const Error&) {
      break;  // that borehole fails, and is converted in its turn
    }
  }
  return start_carry_;
}

void BoreholesAhead::WorkOn(Env& platform_env) {
  // Nothing changes the pattern data and the lists while the threads run.
  AheadEnv env(platform_env, {settings_.pattern_folder, settings_.list_folder.folder()});
  RunCaches caches(env, settings_, false);
  caches.vocabulary = vocabulary_;
  const BoreholeRunInputs inputs{env, nullptr, caches, cancel_.get(), options_.clean, options_.keep_warnings};
  for (size_t k; NextBorehole(&k);) {
    auto done = std::make_unique<AheadBorehole>();
    done->index = k;
    done->carry_in = caches.count_carry = CarryBefore(platform_env, k);
    try {
      StopIfAsked(options_.stop);
      env.Begin(boreholes_[k].job.work_folder);
      ConvertBorehole(inputs, boreholes_[k].name, boreholes_[k].job, done->result);
      done->files = env.TakeFiles();
      done->carry_out = caches.count_carry;
      done->usable = true;
      if (folder_ && boreholes_[k].folder_made && done->files.apart)
        done->held = folder_->Hold(platform_env, done->files.files);
    } catch (...) {
      // Abandoned, failed or stopped: the run converts it in its turn.
    }
    Push(std::move(done));
  }
}

bool WorkFoldersApart(PathForm form, const std::vector<BoreholesAhead::Borehole>& boreholes) {
  ScratchFiles keys(form);
  std::set<std::string> seen;
  for (const BoreholesAhead::Borehole& b : boreholes)
    if (!seen.insert(keys.Key(b.job.work_folder)).second) return false;
  return true;
}

}  // namespace s1ordo
