// The operations of the source system's closed routine library, in the
// converter's own terms. Listing and sizes go through the Env.
#ifndef S1ORDO_HELPERS_PLATFORM_H_
#define S1ORDO_HELPERS_PLATFORM_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/env.h"

namespace s1ordo {

// Number of times the one-character search text occurs in the text, counted
// by characters (never at the second byte of a double-byte character).
int32_t InCount(std::string_view text, std::string_view one);

// Names of the ordinary files of the folder, sorted by name; warnings for
// the entries left out (see Env::ListFiles) are added to *left_out.
std::vector<std::string> ListFiles(Env& env, const std::string& folder,
                                   std::vector<std::string>* left_out = nullptr);
// Names of the sub-folders of the folder ("." and ".." left out), sorted by
// name; an empty list when the folder cannot be listed (where
// Env::ListSubfolders throws).
std::vector<std::string> ListSubfoldersOrNone(Env& env, const std::string& folder);

// Size of the file in bytes as a 32-bit number; 0 when missing (where
// Env::FileSize gives -1) or when it cannot be told (a folder on the way
// that may not be searched).
int32_t FileSizeOrZero(Env& env, const std::string& path);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_PLATFORM_H_
