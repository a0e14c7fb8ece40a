// A borehole work folder and a pattern-data folder in a temporary folder,
// with a Context pointing at them, for tests of the record converters.
#ifndef S1ORDO_TESTS_CONVERTER_FIXTURE_H_
#define S1ORDO_TESTS_CONVERTER_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "helpers/env.h"
#include "run/context.h"
#include "test_support.h"

namespace s1ordo::test {

class ConverterTest : public ::testing::Test {
 protected:
  ConverterTest() : ctx(DefaultEnv()) {
    MakeFolder(dir / "RIDEVI");
    MakeFolder(dir / "B-1");
    ctx.RideviFolder = dir / "RIDEVI/";
    ctx.BoreholeFolder = dir / "B-1";
  }

  // A file of the borehole folder or of the pattern-data folder, written
  // as lines ended by CR LF.
  void Source(std::string_view name, const std::vector<std::string>& lines) {
    WriteBytes(ctx.InBorehole(name), Lines(lines));
  }
  void List(std::string_view name, const std::vector<std::string>& lines) {
    WriteBytes(ctx.RideviFolder + std::string(name), Lines(lines));
  }
  std::string Target(std::string_view name) { return ReadBytes(ctx.InBorehole(name)); }
  bool Has(std::string_view name) { return FileExists(ctx.InBorehole(name)); }

  TempDir dir;
  Context ctx;
};

}  // namespace s1ordo::test

#endif  // S1ORDO_TESTS_CONVERTER_FIXTURE_H_
