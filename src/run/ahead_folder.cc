// The hidden folder of work done ahead: a folder per finished borehole,
// written by the converting threads and moved into place in list order.
#include "run/ahead_folder.h"

#include <chrono>
#include <cstdio>
#include <random>

#include "helpers/error.h"

namespace s1ordo {
namespace {

// A name no other run picks at the same time.
std::string UniqueSuffix() {
  unsigned long long bits = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device random;
    bits ^= (static_cast<unsigned long long>(random()) << 32) ^ random();
  } catch (const std::exception&) {
    // The clock alone.
  }
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", bits);
  return text;
}

}  // namespace

std::unique_ptr<AheadFolder> AheadFolder::Make(Env& env, const std::string& destination) {
  if (!env.FillsFolders()) return nullptr;
  const std::string root = destination + ".s1ordo-ahead-" + UniqueSuffix();
  try {
    if (env.Exists(root)) return nullptr;
    env.CreateFolder(root);
  } catch (const Error&) {
    return nullptr;  // a destination the run may not make folders in: written in turn
  }
  return std::unique_ptr<AheadFolder>(new AheadFolder(env, root + Separator(env.form())));
}

AheadFolder::~AheadFolder() {
  for (const std::string& folder : empty_) env_.RemoveEmptyFolder(folder);
  env_.RemoveEmptyFolder(root_);
}

std::string AheadFolder::Hold(Env& env, std::vector<Env::NewFile>& files) {
  std::string held;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (empty_.empty()) {
      held = root_ + std::to_string(made_++) + Separator(env.form());
    } else {
      held = std::move(empty_.back());
      empty_.pop_back();
    }
  }
  try {
    if (!env.Exists(held)) env.CreateFolder(held);
    if (env.FillEmptyFolder(held, files)) return held;
  } catch (const Error&) {
    // A full disk, say: the run writes the files in turn.
  }
  Drop(env, held);
  return {};
}

void AheadFolder::Reuse(const std::string& held) {
  std::lock_guard<std::mutex> lock(mutex_);
  empty_.push_back(held);
}

void AheadFolder::Drop(Env& env, const std::string& held) {
  try {
    for (const std::string& name : env.ListFiles(held, nullptr)) env.DeleteFile(held + name);
  } catch (const Error&) {
    return;  // left in the run's hidden folder, which then stays too
  }
  Reuse(held);
}

}  // namespace s1ordo
