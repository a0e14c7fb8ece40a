#include "app/startup.h"

#include <cstdlib>

#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/item_reader.h"
#include "helpers/paths.h"
#include "helpers/platform.h"
#include "helpers/text.h"
#include "vocabulary/geology_vocabulary.h"

namespace s1ordo {

std::string ReadRideviSetting(Context& ctx) {
  const std::string path = QPRTrim(ctx.SystemFolder) + ctx.sep() + "DodavoZ5.ini";
  if (FileSize(ctx.env, path) < 1) return {};
  try {
    ItemReader in(ctx.env.ReadFile(path));
    std::string line, item;
    if (!in.ReadLine(&line) || !in.ReadItem(&item)) return {};
    item = Trim(item);
    return CanBePath(item) ? item : std::string();  // a control character or a broken byte is no setting
  } catch (const Error&) {
    return {};
  }
}

std::string NoRideviMessage() { return Sjis(u8" RIDEVI の設定がありません."); }

bool FindRideviFolder(Context& ctx) {
  ctx.RideviFolder = ReadRideviSetting(ctx);
  if (ctx.RideviFolder.empty()) return false;
  std::string folder = LeftChars(ctx.RideviFolder, CharCount(ctx.RideviFolder) - 1);
  if (folder.empty() || !ctx.env.Exists(folder)) return false;
  ctx.MessagePending = 0;
  return true;
}

bool StartUp(Context& ctx) {
  if (!FindRideviFolder(ctx)) return false;
  LoadGeologyVocabulary(ctx.env, ctx.RideviFolder, ctx.geology);
  return true;
}

std::string ChooseSystemFolder(Env& env, const std::string& given) {
  std::string folder = given;
  if (folder.empty()) {
    const char* variable = std::getenv("S1ORDO_SYSTEM_FOLDER");
    if (variable && *variable) folder = variable;
  }
  if (folder.empty()) return QPRTrim(SysDir(env));
  std::string text = InputText(folder);
  while (text.size() > 1 && text.back() == Separator(env.form())) text.pop_back();
  return text;
}

}  // namespace s1ordo
