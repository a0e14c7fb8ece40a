// The work folder of the borehole being converted: its converters read
// their sources and write their targets there, through the Env that
// reaches it.
#ifndef S1ORDO_HELPERS_BOREHOLE_FOLDER_H_
#define S1ORDO_HELPERS_BOREHOLE_FOLDER_H_

#include <string>
#include <string_view>
#include <utility>

#include "helpers/env.h"

namespace s1ordo {

class BoreholeFolder {
 public:
  // path without the trailing separator.
  BoreholeFolder(Env& env, std::string path) : env_(env), path_(std::move(path)) {}

  Env& env() const { return env_; }
  const std::string& path() const { return path_; }
  // path & separator & name.
  std::string File(std::string_view name) const {
    return path_ + Separator(env_.form()) + std::string(name);
  }

 private:
  Env& env_;
  std::string path_;
};

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_BOREHOLE_FOLDER_H_
