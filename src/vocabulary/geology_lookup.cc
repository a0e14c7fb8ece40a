// The lookups of geology codes by soil name over the cached vocabulary
// files, and the additions they make to them.
#include "vocabulary/geology_lookup.h"

#include "helpers/encoding.h"
#include "helpers/env.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/number.h"
#include "helpers/text.h"

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
    for (size_t found = 0; found < r.size(); ++found) {
      if (!in.ReadItem(&r[found])) {
        f.cut_short = true;
        f.cut_short_line = line;
        f.cut_short_items = static_cast<int>(found);
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
  f.cut_short_items = 0;
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

// The first record whose item 2 is the name; nullptr when no record has it.
// The search reads every record to the end of the file, so a file that ends
// inside a record fails whether or not the name comes before.
const Record* Find(const VocabularyFileCache& f, const std::string& name) {
  if (f.cut_short)
    throw Error(PastEndCause(static_cast<int>(Record().size()), f.cut_short_items), f.path, f.cut_short_line);
  auto it = f.first_by_name.find(name);
  return it == f.first_by_name.end() ? nullptr : &f.records[it->second];
}

// The lines of "XKISHITU.TXT" with a new entry for the name (its code in
// `code`), inserted before the first line whose code is 4000 or more; its
// code is one more than that of the line before it, at least 1000. Codes
// from 4000 on are the target system's own: when the new code would be one
// of them, this throws and nothing is written.
std::string AdditionsWithEntry(const VocabularyFileCache& x, const std::string& name, std::string& code) {
  ItemReader in(x.bytes);
  std::string out, line;
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
  return out;
}

std::string Joined(const Record& r) {
  std::string text = r[0];
  for (size_t j = 1; j < r.size(); ++j) text += "," + r[j];
  return text;
}

}  // namespace

GeologyLookup::GeologyLookup(Env& env, std::string pattern_folder, bool reread_files)
    : env_(env), pattern_folder_(std::move(pattern_folder)), reread_files_(reread_files) {}

VocabularyFileCache& GeologyLookup::Load(VocabularyFileCache& f, const char* name) {
  if (f.loaded) return f;
  f = VocabularyFileCache();
  f.path = pattern_folder_ + name;
  f.bytes = env_.ReadFile(f.path);  // a missing file throws, naming it
  ReadAllRecords(f);
  f.loaded = true;
  return f;
}

// Rewrites "XKISHITU.TXT" through "XKISHITU.TMP" with the new entry of the
// name (see AdditionsWithEntry) and returns its code.
std::string GeologyLookup::AddToAdditions(const std::string& name) {
  VocabularyFileCache& x = xkishitu_;
  std::string code;
  std::string out = AdditionsWithEntry(x, name, code);
  const std::string temporary = pattern_folder_ + "XKISHITU.TMP";
  WriteWholeFile(env_, temporary, out);
  env_.ReplaceFile(temporary, x.path);  // the old file stays whole until here
  x.bytes = std::move(out);
  ReadAllRecords(x);
  return code;
}

// Leaves "PATADD.txt" in the program's folder. A marker that cannot be
// written does not stop the run: the user is warned once, told that the run
// goes on, what failed and where the marker can go instead.
void GeologyLookup::MarkVocabularyAdded() {
  try {
    const std::string path = env_.ProgramFolder() + Separator(env_.form()) + "PATADD.txt";
    if (!env_.Exists(path)) WriteWholeFile(env_, path, "");
  } catch (const Error& e) {
    if (marker_failed_) return;
    marker_failed_ = true;
    std::string text = Sjis(u8"警告: 語彙の追加を示す印のファイル PATADD.txt を作成できませんでした。変換は中止せずに続けます。");
    if (!e.file().empty()) text += "\r\n" + Sjis(u8"ファイル: ") + e.file();
    text += "\r\n" + Sjis(u8"原因: ") + e.cause();
    text += "\r\n" + Sjis(u8"印のファイルを作るフォルダは環境変数 S1ORDO_PROGRAM_FOLDER で指定できます。");
    warnings_.push_back(std::move(text));
  }
}

std::string GeologyLookup::LookupGeologyCode(const std::string& name, BoreholeNotes* notes) {
  const std::string s = Trim(name);
  if (s.empty()) return "0000";
  if (reread_files_) {
    kishitu_ = VocabularyFileCache();
    xkishitu_ = VocabularyFileCache();
  }
  try {
    VocabularyFileCache& kishitu = Load(kishitu_, "KISHITU.TXT");
    if (const Record* r = Find(kishitu, s)) return (*r)[0];

    VocabularyFileCache& additions = Load(xkishitu_, "XKISHITU.TXT");
    std::string code, record;
    if (const Record* r = Find(additions, s)) {
      code = (*r)[0];
      record = Joined(*r);
    } else {
      code = AddToAdditions(s);
      record = code + "," + s + kBlankItems;
      AddAddition(notes, "XKISHITU.TXT", record);
    }

    // A last line without its line end is ended first, so that the record
    // never runs into it. The whole file is written anew beside the old one
    // (the bytes known to be on disk, then the record) and renamed over it,
    // so a failure part-way (a full disk) leaves the file as it was.
    const std::string& bytes = kishitu.bytes;
    const bool open_last_line = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    const std::string added = (open_last_line ? "\r\n" : "") + record + "\r\n";
    ReplaceWholeFile(env_, kishitu.path, kishitu.bytes + added);
    Appended(kishitu, added);
    AddAddition(notes, "KISHITU.TXT", record);

    MarkVocabularyAdded();
    return code;
  } catch (...) {
    // A file may have changed part-way: read both again next time.
    kishitu_ = VocabularyFileCache();
    xkishitu_ = VocabularyFileCache();
    throw;
  }
}

}  // namespace s1ordo
