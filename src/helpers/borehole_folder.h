// The work folder of the borehole being converted: its converters read
// their sources and write their targets there, through the Env that
// reaches it, note what they bend in the borehole's notes and look between
// files whether the user asked the run to stop.
#ifndef S1ORDO_HELPERS_BOREHOLE_FOLDER_H_
#define S1ORDO_HELPERS_BOREHOLE_FOLDER_H_

#include <string>
#include <string_view>
#include <utility>

#include "helpers/borehole_notes.h"
#include "helpers/env.h"
#include "helpers/stop_request.h"

namespace s1ordo {

class BoreholeFolder {
 public:
  // path without the trailing separator. Without notes the warnings are
  // dropped; without stop the run is never asked to stop.
  BoreholeFolder(Env& env, std::string path, BoreholeNotes* notes = nullptr, const StopRequest* stop = nullptr)
      : env_(env), path_(std::move(path)), notes_(notes), stop_(stop) {}

  Env& env() const { return env_; }
  const std::string& path() const { return path_; }
  // path & separator & name.
  std::string File(std::string_view name) const {
    return path_ + Separator(env_.form()) + std::string(name);
  }

  BoreholeNotes* notes() const { return notes_; }
  // A warning about line `line` of the file (a path).
  void Warn(std::string file, long line, std::string text) const {
    AddWarning(notes_, std::move(file), line, std::move(text));
  }
  // Between two files: throws RunStopped when the user asked to stop.
  void StopIfAsked() const { s1ordo::StopIfAsked(stop_); }
  const StopRequest* stop() const { return stop_; }

 private:
  Env& env_;
  std::string path_;
  BoreholeNotes* notes_;
  const StopRequest* stop_;
};

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_BOREHOLE_FOLDER_H_
