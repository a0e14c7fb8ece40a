// The refusal of folders that overlap, before a run writes anything.
#include "run/overlapping_folders.h"

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/paths.h"

namespace s1ordo {
namespace {

constexpr std::u8string_view kKeepSource = u8"変換元のフォルダを書き換えないよう、変換しません。";
constexpr std::u8string_view kKeepPatternData = u8"パターンデータを書き換えないよう、変換しません。";

struct NamedFolder {
  std::u8string_view label;
  const std::string& path;
};

[[noreturn]] void Refuse(std::u8string_view overlap, std::u8string_view consequence, NamedFolder inner,
                         NamedFolder outer) {
  throw Error(Sjis(overlap) + Sjis(consequence) + "\r\n" + Sjis(inner.label) + inner.path + "\r\n" +
              Sjis(outer.label) + outer.path);
}

}  // namespace

void CheckFoldersApart(PathForm form, const std::string& pattern_folder, const std::string& source,
                       const std::string& destination, const std::vector<std::string>& boreholes) {
  const NamedFolder source_folder{u8"変換元: ", source};
  const NamedFolder ridevi{u8"パターンデータ: ", pattern_folder};

  if (IsSameOrInside(destination, source, form))
    Refuse(u8"変換先のフォルダが変換元のフォルダと同じか、その中にあります。", kKeepSource, {u8"変換先: ", destination},
           source_folder);
  if (IsSameOrInside(pattern_folder, source, form))
    Refuse(u8"パターンデータのフォルダ (RIDEVI) が変換元のフォルダと同じか、その中にあります。", kKeepSource, ridevi,
           source_folder);
  for (const std::string& borehole : boreholes) {
    const std::string work = destination + borehole + Separator(form);
    if (IsSameOrInside(work, source, form))
      Refuse(u8"変換先のボーリング孔フォルダが変換元のフォルダと同じか、その中にあります。", kKeepSource,
             {u8"変換先: ", work}, source_folder);
    if (IsSameOrInside(pattern_folder, work, form))
      Refuse(u8"パターンデータのフォルダ (RIDEVI) が変換先のボーリング孔フォルダと同じか、その中にあります。",
             kKeepPatternData, ridevi, {u8"変換先: ", work});
  }
}

}  // namespace s1ordo
