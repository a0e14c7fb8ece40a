// The two settings files with any content, and start-up with what they name:
// a folder text or a clean error, never more.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/startup.h"
#include "fuzz_support.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "layers/ridevi_ini.h"
#include "run/session.h"

using namespace s1ordo;
using fuzz::Require;

namespace {

const std::vector<std::string> kNames = {"DodavoZ5.ini", "Ridevi.ini", "KISHITU.TXT", "KONNYU.TXT"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto files = fuzz::AssignChunks(std::string_view(reinterpret_cast<const char*>(data), size), kNames);
  fuzz::Scratch& scratch = fuzz::Scratch::Get();
  scratch.Reset({"system"});
  const std::string system = scratch.path() + "/system";
  // The vocabulary files lie beside the settings, for a setting that names
  // the system folder itself.
  for (const auto& [name, bytes] : files) fuzz::WriteFile(system + "/" + name, bytes);

  Session session(DefaultEnv());
  session.settings.system_folder = system;
  const std::string ridevi = ReadRideviSetting(session.env, system);
  if (!files.count("DodavoZ5.ini")) Require(ridevi.empty(), "a setting without a settings file");
  try {
    ReadRideviIniSetting(session.env, system);
  } catch (const Error& e) {
    Require(!e.cause().empty() && !e.file().empty(), "an error that names no file");
  }
  try {
    if (StartUp(session)) Require(session.settings.pattern_folder == ridevi, "start-up took another folder");
  } catch (const Error& e) {
    Require(!e.cause().empty(), "an error without a cause");
  }
  Require(fuzz::ReadFileOr(system + "/DodavoZ5.ini") ==
              (files.count("DodavoZ5.ini") ? files.at("DodavoZ5.ini") : std::string()),
          "the settings file changed");
  return 0;
}
