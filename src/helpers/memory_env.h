// An Env whose files and folders are held in memory, for tests that need
// files but not a disk. Paths are in the POSIX form ("/" between parts; a
// relative path starts at the current folder "/"); each part of a path is
// found without regard to ASCII letter case and keeps the name it was made
// under; listings are sorted as the POSIX platform sorts them; failures
// throw Error naming the file, with the causes of the platform env. Only
// the root "/" exists at first. There are no permissions, links or drives.
// The program folder is S1ORDO_PROGRAM_FOLDER when set, else "/".
#ifndef S1ORDO_HELPERS_MEMORY_ENV_H_
#define S1ORDO_HELPERS_MEMORY_ENV_H_

#include <memory>

#include "helpers/env.h"

namespace s1ordo {

std::unique_ptr<Env> NewMemoryEnv();

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_MEMORY_ENV_H_
