// The error of a failed run and the message that describes it.
#include "helpers/error.h"

#include "helpers/encoding.h"

namespace s1ordo {

Error::Error(std::string cause, std::string file, long line)
    : std::runtime_error(cause), cause_(std::move(cause)), file_(std::move(file)), line_(line) {}

std::string Error::Describe() const {
  std::string text = Sjis(u8"変換中にエラーが発生しました。変換を中止します。");
  if (!borehole_.empty()) text += "\r\n" + Sjis(u8"ボーリング孔: ") + borehole_;
  if (!file_.empty()) {
    text += "\r\n" + Sjis(u8"ファイル: ") + file_;
    if (line_ > 0) text += " (" + Sjis(u8"行 ") + std::to_string(line_) + ")";
  }
  text += "\r\n" + Sjis(u8"原因: ") + cause_;
  return text;
}

}  // namespace s1ordo
