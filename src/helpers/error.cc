// The error of a failed run and the message that describes it.
#include "helpers/error.h"

#include "helpers/encoding.h"

namespace s1ordo {

Error::Error(std::string cause, std::string file, long line)
    : std::runtime_error(cause), cause_(std::move(cause)), file_(std::move(file)), line_(line) {}

std::string Error::Describe(bool run_goes_on) const {
  std::string text = run_goes_on
                         ? Sjis(u8"変換中にエラーが発生しました。このボーリング孔の変換を中止し、次に進みます。")
                         : Sjis(u8"変換中にエラーが発生しました。変換を中止します。");
  std::string at_line;
  if (line_ > 0) at_line = " (" + Sjis(u8"行 ") + std::to_string(line_) + ")";
  if (!borehole_.empty()) text += "\r\n" + Sjis(u8"ボーリング孔: ") + borehole_;
  if (!file_.empty()) text += "\r\n" + Sjis(u8"ファイル: ") + file_ + at_line;
  // The copy above is in the destination; this is the file to mend.
  if (!source_file_.empty()) text += "\r\n" + Sjis(u8"変換元のファイル: ") + source_file_ + at_line;
  text += "\r\n" + Sjis(u8"原因: ") + cause_;
  return text;
}

}  // namespace s1ordo
