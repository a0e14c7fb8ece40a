// Loading "KISHITU.TXT" and "KONNYU.TXT" into the vocabulary tables at
// start-up.
#include "vocabulary/geology_vocabulary.h"

#include <exception>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"

namespace s1ordo {
namespace {

// Every record of the file, read 6 items at a time until its end. Throws
// Error for a missing file, a record cut short by the end of the file, more
// than `bound` records, or item 1 or 6 outside 16 bits.
std::vector<VocabularyEntry> ReadVocabularyFile(Env& env, const std::string& path, size_t bound) {
  ItemReader in(env.ReadFile(path));
  std::vector<VocabularyEntry> entries;
  std::vector<std::string> items;
  while (!in.AtEnd()) {
    long line = in.LineNumber();
    if (entries.size() == bound) throw Error(TooManyRecordsCause(static_cast<int>(bound)), path, line);
    ReadRecord(in, 6, path, items);
    VocabularyEntry e;
    AtFile(path, line, [&] {
      e.code = RoundToInt16(ReadNumber(items[0]));
      e.name = items[1];
      e.item3 = items[2];  // item 4 is not kept
      e.item5 = RoundToInt32(ReadNumber(items[4]));
      e.item6 = RoundToInt16(ReadNumber(items[5]));
    });
    entries.push_back(std::move(e));
  }
  return entries;
}

}  // namespace

void LoadGeologyVocabulary(Env& env, const std::string& folder, GeologyVocabulary& vocabulary) {
  // The first failure ends the load: the counts of the files not loaded stay
  // as they were (0 before the first load).
  try {
    vocabulary.KishituTable = ReadVocabularyFile(env, folder + "KISHITU.TXT", 10000);
    vocabulary.KishituCount = static_cast<int16_t>(vocabulary.KishituTable.size());
    vocabulary.KonnyuTable = ReadVocabularyFile(env, folder + "KONNYU.TXT", 200);
    vocabulary.KonnyuCount = static_cast<int16_t>(vocabulary.KonnyuTable.size());
  } catch (const std::exception&) {
  }
}

}  // namespace s1ordo
