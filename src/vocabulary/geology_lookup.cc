#include "vocabulary/geology_lookup.h"

#include "helpers/encoding.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/text.h"
#include "run/context.h"

namespace s1ordo {
namespace {

using Record = VocabularyFileCache::Record;

// Items 3 to 6 of an entry this program makes.
constexpr char kBlankItems[] = ",    ,    ,    ,    ";

// Reads the records of `part` (6 items each, until its end) onto the end of
// the file's records. False when the part ends inside a record.
bool ReadRecords(VocabularyFileCache& f, const std::string& part) {
  ItemReader in(part);
  while (!in.AtEnd()) {
    long line = in.LineNumber();
    Record r;
    for (std::string& item : r) {
      if (!in.ReadItem(&item)) {
        f.cut_short = true;
        f.cut_short_line = line;
        return false;
      }
    }
    f.first_by_name.emplace(r[1], f.records.size());  // an earlier record keeps the name
    f.records.push_back(std::move(r));
  }
  return true;
}

// Whether lines appended to `bytes`, whose records were all read whole,
// read the same as on their own: the bytes end at a line end, and hold no
// quote (a quoted item may run on into the appended lines).
bool EndsCleanly(std::string_view bytes) {
  return (bytes.empty() || bytes.back() == '\n') && bytes.find('"') == std::string_view::npos;
}

void ReadAllRecords(VocabularyFileCache& f) {
  f.records.clear();
  f.first_by_name.clear();
  f.cut_short = false;
  f.cut_short_line = 0;
  ReadRecords(f, f.bytes);
  f.appends_separately = !f.cut_short && EndsCleanly(f.bytes);
}

// The file's bytes grew by `added` (written to the file already).
void Appended(VocabularyFileCache& f, const std::string& added) {
  f.bytes += added;
  if (f.appends_separately && ReadRecords(f, added)) {
    f.appends_separately = EndsCleanly(added);
    return;
  }
  ReadAllRecords(f);  // the new bytes continue a record or a quote: read it all again
}

VocabularyFileCache& Load(Context& ctx, VocabularyFileCache& f, const char* name) {
  std::string path = ctx.RideviFolder + name;
  if (f.loaded && f.path == path) return f;
  f = VocabularyFileCache();
  f.bytes = ctx.env.ReadFile(path);  // a missing file throws, naming it
  f.path = path;
  ReadAllRecords(f);
  f.loaded = true;
  return f;
}

// The first record whose item 2 is the name; nullptr when no record has it.
// The search reads every record to the end of the file, so a file that ends
// inside a record fails whether or not the name comes before.
const Record* Find(const VocabularyFileCache& f, const std::string& name) {
  if (f.cut_short) throw Error(Sjis(u8"ファイルの終わりを越えて読もうとしました"), f.path, f.cut_short_line);
  auto it = f.first_by_name.find(name);
  return it == f.first_by_name.end() ? nullptr : &f.records[it->second];
}

// Rewrites "XKISHITU.TXT" through "XKISHITU.TMP" with a new entry for the
// name, inserted before the first line whose code is 4000 or more; its code
// is one more than that of the line before it, at least 1000. Codes from
// 4000 on are the target system's own: when the new code would be one of
// them, nothing is written and the lookup fails.
std::string AddToAdditions(Context& ctx, VocabularyFileCache& x, const std::string& name) {
  ItemReader in(x.bytes);
  std::string out, code, line;
  double last = 0;
  bool written = false;
  auto write_entry = [&] {
    if (last < 1000) last = 999;
    if (last + 1 >= 4000)
      throw Error(Sjis(u8"XKISHITU.TXT の追加用コードの範囲 1000～3999 を使い切りました。新しい地質名を追加できません: ") +
                      name,
                  x.path);
    code = RightJustifyWith(TrimmedDoubleText(last + 1), 4, '0');
    out += code + "," + name + kBlankItems + "\r\n";
    written = true;
  };
  while (in.ReadLine(&line)) {
    double value = ReadNumber(LeftChars(line, 4));
    if (value < 4000) {
      last = value;
    } else if (!written) {
      write_entry();
    }
    out += line + "\r\n";
  }
  if (!written) write_entry();

  const std::string temporary = ctx.RideviFolder + "XKISHITU.TMP";
  auto file = ctx.env.NewWritableFile(temporary);
  file->Append(out);
  file->Close();
  ctx.env.ReplaceFile(temporary, x.path);  // the old file stays whole until here
  x.bytes = std::move(out);
  ReadAllRecords(x);
  return code;
}

std::string Joined(const Record& r) {
  std::string text = r[0];
  for (size_t j = 1; j < r.size(); ++j) text += "," + r[j];
  return text;
}

// Leaves "PATADD.txt" in the program's folder. A marker that cannot be
// written does not stop the run: the user is warned once.
void MarkVocabularyAdded(Context& ctx) {
  GeologyLookupCache& cache = ctx.geology_cache;
  try {
    const std::string path = ctx.env.ProgramFolder() + ctx.sep() + "PATADD.txt";
    if (!ctx.env.Exists(path)) WriteWholeFile(ctx.env, path, "");
  } catch (const Error& e) {
    if (cache.marker_failed) return;
    cache.marker_failed = true;
    cache.warnings.push_back(Sjis(u8"語彙の追加を示す PATADD.txt を作成できません。") + "\r\n" + e.Describe());
  }
}

// Appends the line to the vocabulary file by writing the whole file anew
// (the bytes known to be on disk, then the line) beside it and renaming it
// over the old one, so a failure part-way (a full disk) leaves the file as it
// was.
void AppendToVocabulary(Context& ctx, const VocabularyFileCache& file, const std::string& added) {
  ReplaceWholeFile(ctx.env, file.path, file.bytes + added);
}

}  // namespace

std::string LookupGeologyCode(Context& ctx, const std::string& name) {
  const std::string s = Trim(name);
  if (s.empty()) return "0000";
  GeologyLookupCache& cache = ctx.geology_cache;
  if (cache.reread_files) {
    cache.kishitu = VocabularyFileCache();
    cache.xkishitu = VocabularyFileCache();
  }
  try {
    VocabularyFileCache& kishitu = Load(ctx, cache.kishitu, "KISHITU.TXT");
    if (const Record* r = Find(kishitu, s)) return (*r)[0];

    VocabularyFileCache& additions = Load(ctx, cache.xkishitu, "XKISHITU.TXT");
    std::string code, record;
    if (const Record* r = Find(additions, s)) {
      code = (*r)[0];
      record = Joined(*r);
    } else {
      code = AddToAdditions(ctx, additions, s);
      record = code + "," + s + kBlankItems;
    }

    // A last line without its line end is ended first, so that the record
    // never runs into it.
    const std::string& bytes = kishitu.bytes;
    const bool open_last_line = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    const std::string added = (open_last_line ? "\r\n" : "") + record + "\r\n";
    AppendToVocabulary(ctx, kishitu, added);
    Appended(kishitu, added);

    MarkVocabularyAdded(ctx);
    return code;
  } catch (...) {
    // A file may have changed part-way: read both again next time.
    cache.kishitu = VocabularyFileCache();
    cache.xkishitu = VocabularyFileCache();
    throw;
  }
}

}  // namespace s1ordo
