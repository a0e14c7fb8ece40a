// Reading the list folder setting from "Ridevi.ini".
#include "layers/ridevi_ini.h"

#include "helpers/encoding.h"
#include "helpers/item_reader.h"
#include "helpers/paths.h"
#include "helpers/platform.h"
#include "helpers/text.h"

namespace s1ordo {

std::string ReadRideviIniSetting(Env& env, const std::string& system_folder) {
  const std::string path = TrimRight(system_folder) + Separator(env.form()) + "Ridevi.ini";
  if (FileSizeOrZero(env, path) < 1) return {};
  ItemReader in(env.ReadFile(path));
  std::string line, item;
  in.ReadLine(&line);  // line 1 is not used
  long line_number = in.LineNumber();
  if (!in.ReadItem(&item))
    throw Error(Sjis(u8"2行目にリストフォルダの設定がありません"), path, line_number);
  item = Trim(item);
  return CanBePath(item) ? item : std::string();  // a control character or a broken byte is no setting
}

ListFolderSetting ListFolderSetting::Read(Env& env, const std::string& system_folder) {
  ListFolderSetting setting;
  try {
    setting.folder_ = ReadRideviIniSetting(env, system_folder);
  } catch (const Error& e) {
    setting.failure_ = e;
  }
  return setting;
}

const std::string& ListFolderSetting::folder() const {
  if (failure_) throw *failure_;
  return folder_;
}

}  // namespace s1ordo
