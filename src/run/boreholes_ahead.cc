// The second thread that converts boreholes ahead of their turn, and the
// hand-over of its results in list order.
#include "run/boreholes_ahead.h"

#include <set>
#include <system_error>

#include "run/borehole_run.h"
#include "run/run_caches.h"
#include "run/run_env.h"

namespace s1ordo {
namespace {

// Boreholes done ahead and not yet taken: enough to keep the thread busy
// while the run writes one, few enough to bound the memory they hold.
constexpr size_t kMostAhead = 2;

}  // namespace

BoreholesAhead::BoreholesAhead(Env& env, const Settings& settings, const GeologyVocabulary& vocabulary,
                               const RunOptions& options, std::vector<Borehole> boreholes)
    : env_(env), settings_(settings), vocabulary_(vocabulary), options_(options), boreholes_(std::move(boreholes)) {}

void BoreholesAhead::Start(size_t from, const CountFileCarry& carry) {
  Stop();
  if (from >= boreholes_.size()) return;
  cancel_ = std::make_unique<StopRequest>();
  working_ = true;
  try {
    thread_ = std::thread([this, from, carry] { Work(from, carry); });
  } catch (const std::system_error&) {
    working_ = false;  // no second thread: every borehole is converted in its turn
  }
}

void BoreholesAhead::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    cancel_->Ask();
  }
  changed_.notify_all();
  thread_.join();
  std::lock_guard<std::mutex> hold(mutex_);
  done_.clear();
  working_ = false;
}

std::unique_ptr<AheadBorehole> BoreholesAhead::Take(size_t k) {
  std::unique_lock<std::mutex> hold(mutex_);
  changed_.wait(hold, [&] { return !done_.empty() || !working_; });
  if (done_.empty() || done_.front()->index != k) return nullptr;
  std::unique_ptr<AheadBorehole> taken = std::move(done_.front());
  done_.pop_front();
  hold.unlock();
  changed_.notify_all();
  return taken;
}

bool BoreholesAhead::WaitForRoom() {
  std::unique_lock<std::mutex> hold(mutex_);
  changed_.wait(hold, [&] { return done_.size() < kMostAhead || cancel_->asked(); });
  return !cancel_->asked();
}

void BoreholesAhead::Push(std::unique_ptr<AheadBorehole> done) {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    const bool last = !done->usable || done->index + 1 == boreholes_.size();
    done_.push_back(std::move(done));
    if (last) working_ = false;
  }
  changed_.notify_all();
}

void BoreholesAhead::Work(size_t from, CountFileCarry carry) {
  try {
    WorkFrom(from, std::move(carry));
  } catch (...) {
    // Out of memory setting up: what is not done ahead is done in turn.
  }
  std::lock_guard<std::mutex> hold(mutex_);
  working_ = false;
  changed_.notify_all();
}

void BoreholesAhead::WorkFrom(size_t from, CountFileCarry carry) {
  AheadEnv env(env_);
  RunCaches caches(env, settings_, false);
  caches.vocabulary = vocabulary_;
  caches.count_carry = std::move(carry);
  const BoreholeRunInputs inputs{env, nullptr, caches, cancel_.get(), options_.clean, options_.keep_warnings};
  for (size_t k = from; k < boreholes_.size(); ++k) {
    if (!WaitForRoom()) break;
    auto done = std::make_unique<AheadBorehole>();
    done->index = k;
    done->carry_in = caches.count_carry;
    try {
      StopIfAsked(options_.stop);
      env.Begin(boreholes_[k].job.work_folder);
      ConvertBorehole(inputs, boreholes_[k].name, boreholes_[k].job, done->result);
      done->work = env.TakeWork();
      done->carry_out = caches.count_carry;
      done->usable = true;
    } catch (...) {
      // Abandoned, failed or stopped: the run converts it in its turn.
    }
    const bool usable = done->usable;
    Push(std::move(done));
    if (!usable) return;
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
