#include "layers/ridevi_ini.h"

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/paths.h"
#include "helpers/platform.h"
#include "helpers/text.h"

namespace s1ordo {

std::string ReadRideviIniSetting(Context& ctx) {
  const std::string path = QPRTrim(ctx.SystemFolder) + ctx.sep() + "Ridevi.ini";
  if (FileSize(ctx.env, path) < 1) return {};
  ItemReader in(ctx.env.ReadFile(path));
  std::string line, item;
  in.ReadLine(&line);  // line 1 is not used
  long line_number = in.LineNumber();
  if (!in.ReadItem(&item))
    throw Error(Sjis(u8"2行目にリストフォルダの設定がありません"), path, line_number);
  item = Trim(item);
  return CanBePath(item) ? item : std::string();  // a control character or a broken byte is no setting
}

}  // namespace s1ordo
