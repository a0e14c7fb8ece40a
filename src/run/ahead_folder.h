// A hidden folder in the destination where the threads that convert ahead
// write each finished borehole, into an empty folder of its own, so that
// its turn only has to put that folder in the place of the borehole's empty
// work folder (Env::ReplaceEmptyFolder): the writing then runs on the
// threads too. The empty folder that comes back takes the next borehole.
// Used where the Env can fill and move folders so (Env::FillsFolders), and
// only for the work folders the run made itself: one that was there before
// keeps its own permissions, so its files are written into it.
#ifndef S1ORDO_RUN_AHEAD_FOLDER_H_
#define S1ORDO_RUN_AHEAD_FOLDER_H_

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "helpers/env.h"

namespace s1ordo {

class AheadFolder {
 public:
  // Makes the folder in the destination (ending with the separator); null
  // when the Env cannot fill folders or the folder cannot be made.
  static std::unique_ptr<AheadFolder> Make(Env& env, const std::string& destination);
  AheadFolder(const AheadFolder&) = delete;
  AheadFolder& operator=(const AheadFolder&) = delete;
  // Removes the folder; one that still holds anything stays.
  ~AheadFolder();

  // Writes the files into an empty folder of its own through env (each
  // thread with an env of its own) and gives that folder, ending with the
  // separator; "" when they cannot be written there (nothing is left of
  // them there then, and the files are as they were given).
  std::string Hold(Env& env, std::vector<Env::NewFile>& files);
  // Takes back a folder Hold gave, empty again, for the next files.
  void Reuse(const std::string& held);
  // Removes the files of a folder Hold gave, and takes it back.
  void Drop(Env& env, const std::string& held);

 private:
  AheadFolder(Env& env, std::string root) : env_(env), root_(std::move(root)) {}

  Env& env_;
  const std::string root_;  // ends with the separator
  std::mutex mutex_;
  size_t made_ = 0;                 // folders made in it so far
  std::vector<std::string> empty_;  // of those, the ones that hold nothing now
};

}  // namespace s1ordo

#endif  // S1ORDO_RUN_AHEAD_FOLDER_H_
