// The warnings of the converters about data they bend: each names the file
// and the line, and noting them changes no byte that is written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter_fixture.h"
#include "converters/converter_sequence.h"
#include "helpers/platform.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

class ConverterWarningsTest : public test::ConverterTest {
 protected:
  // The same sources in B-1 and in B-2.
  void Sources(const std::string& name, const std::vector<std::string>& lines) {
    for (const char* b : {"B-1/", "B-2/"}) WriteBytes(dir / (b + name), Lines(lines));
  }
};

TEST_F(ConverterWarningsTest, NameFileAndLineAndLeaveTheBytesAlone) {
  List("KISHITU.TXT", {S(u8"0001,盛土,,,,")});
  List("XKISHITU.TXT", {});
  List("L19.txt", {"5,five", "6,six"});
  List("L18.txt", {S(u8"1,長い名前")});
  List("L18b.txt", {"2,ab"});
  List("l10.txt", {"100,a", "120,b"});
  MakeFolder(dir / "B-2");
  Sources("N1A.TXT", {"1,99999.99,0,0,99.4,0,0,0,,,,,,,,,,,,", "2,1.00,0,0,998,0,0,0,,,,,,,,,,,,"});
  Sources("N5.TXT", {"1,1.50,1234,30,1,2,3,4,5,6"});
  Sources("G30.TXT", {"1,1.00,5.5,7"});
  Sources("G72.TXT", {"1,1.00,3,1,2,x"});
  Sources("N11.TXT", {"1,1.00,123,x"});
  Sources("N6.txt", {"1,a,1,1.0,2.0,0,0,1"});
  Sources("N7.txt", {"1,a,1,1.0,2.0,x,y"});
  const ListFolderSetting no_list_folder;  // "Ridevi.ini" without a folder: X6 and X7 are not written

  BoreholeNotes notes;
  ConvertBoreholeFiles(BoreholeFolder(env, dir / "B-1", &notes), Inputs(no_list_folder));
  ConvertBoreholeFiles(BoreholeFolder(env, dir / "B-2"), Inputs(no_list_folder));

  const std::vector<std::string> files = ListFiles(env, dir / "B-1/");
  EXPECT_EQ(ListFiles(env, dir / "B-2/"), files);
  for (const std::string& name : files)
    EXPECT_EQ(ReadBytes(dir / ("B-1/" + name)), ReadBytes(dir / ("B-2/" + name))) << name;

  struct Expected {
    const char* file;
    long line;
    std::u8string_view part;
  } expected[] = {
      {"N1A.TXT", 1, u8"深度 \"99999.99\" は 7 文字の欄に収まらないため \"9999.99\" と書かれます"},
      {"N1A.TXT", 1, u8"コード \"99.4\" の小数部は丸められます"},
      {"N1A.TXT", 2, u8"深度 1.00 が前の層の深度より深くありません"},
      {"N1A.TXT", 2, u8"土質コード 998 (体系 1) は土質名の表にない"},
      {"N11.TXT", 1, u8"コード \"123\" は l10.txt にない"},
      {"N5.TXT", 1, u8"値 \"1234\" は 3 文字の欄に収まらない"},
      {"N5.TXT", 1, u8"値 \" 1234\" は 3 文字の欄に収まらない"},  // the N value
      {"G30.TXT", 1, u8"コード \"5.5\" の小数部は丸められます"},
      {"G30.TXT", 1, u8"コード \"7\" は L19.txt にない"},
      {"G30.TXT", 1, u8"コード \"5.5\" は 2 文字の欄に収まらないため \".5\" と書かれます"},
      {"G72.TXT", 1, u8"名前 \"長い名前\" は 3 バイトに切られて \"長\" と書かれます (2 バイト文字の途中で"},
      {"N6.txt", 0, u8"リストフォルダの設定がないため、層の記述は変換されません"},
      {"N7.txt", 0, u8"リストフォルダの設定がないため、区間は変換されません"},
  };
  std::vector<std::string> seen;
  for (const Warning& w : notes.warnings)
    seen.push_back(w.file.substr(w.file.find_last_of("/\\") + 1) + ":" + std::to_string(w.line) + ": " + w.text);
  ASSERT_EQ(seen.size(), std::size(expected)) << testing::PrintToString(seen);
  for (const Expected& e : expected) {  // in any order: a line's columns are built in no fixed order
    const std::string head = std::string(e.file) + ":" + std::to_string(e.line) + ": ";
    bool found = false;
    for (const std::string& w : seen) found = found || (w.rfind(head, 0) == 0 && w.find(S(e.part)) != std::string::npos);
    EXPECT_TRUE(found) << head << S(e.part);
  }
}

}  // namespace
}  // namespace s1ordo
