// Tests of a whole run on Windows-form paths: selection, checks of the two
// folders, messages and boreholes without data.
#include "run/run.h"

#include <gtest/gtest.h>

#include "helpers/encoding.h"
#include "helpers/paths.h"
#include "test_support.h"

namespace s1ordo {
namespace {

using test::FakeUi;
using test::FileExists;
using test::Lines;
using test::ReadBytes;
using test::S;
using test::TempDir;
using test::WindowsEnv;
using test::WriteBytes;

// A run on Windows-form paths: source D:\DATA\DIZIVAD, destination E:\WORK\SITE.
class RunTest : public ::testing::Test {
 protected:
  RunTest() : env(dir.path()), session(env) {
    ui.source = "D:\\DATA\\DIZIVAD";
    ui.destination = "E:\\WORK\\SITE";
    test::MakeFolder(dir / "E/WORK");
  }
  // A source borehole with an "n1.txt" of the given content.
  void Borehole(const std::string& name, const std::string& n1 = "1,0.00,1.00,x\r\n") {
    test::MakeFolder(env.Map("D:\\DATA\\DIZIVAD\\" + name));
    if (!n1.empty()) WriteBytes(env.Map("D:\\DATA\\DIZIVAD\\" + name + "\\N1.TXT"), n1);
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& b : ui.boxes) texts.push_back(b.text);
    return texts;
  }

  TempDir dir;
  WindowsEnv env;
  Session session;
  FakeUi ui;
};

TEST_F(RunTest, ConvertsSelectedBoreholesBetweenTheTwoMessages) {
  Borehole("BH1");
  Borehole("BH2");
  WriteBytes(env.Map("D:\\DATA\\DIZIVAD\\BH1\\CNT.TXT"), "1,2,3,4,12,8\r\n");
  ui.SetBoreholes({"BH1", "BH2"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kCompleted);
  EXPECT_EQ(ui.message_history,
            (std::vector<std::string>{S(u8"只今変換中！　しばらくお待ちください。"), S(u8"変換が正常に終了しました。")}));
  EXPECT_EQ(ui.repaints, 1);
  EXPECT_FALSE(ui.busy);
  // One question for the missing destination folder of each borehole.
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "[BH1]" + S(u8"ﾌｫﾙﾀﾞがありません。新規作成しますか？"));
  EXPECT_EQ(ui.boxes[0].kind, MessageKind::kQuestion);
  EXPECT_EQ(ui.boxes[0].title, ApplicationTitle());
  EXPECT_EQ(ReadBytes(env.Map("E:\\WORK\\SITE\\BH1\\N1.TXT")), "1,0.00,1.00,x\r\n");
  EXPECT_EQ(ReadBytes(env.Map("E:\\WORK\\SITE\\BH1\\CNT.TXT")),
            Lines({"SI", "BH1", "", "", "12", "8", "", "", "", ""}));
  // BH2 has no "CNT.TXT": it keeps the values of BH1.
  EXPECT_EQ(ReadBytes(env.Map("E:\\WORK\\SITE\\BH2\\CNT.TXT")),
            Lines({"SI", "BH2", "", "", "12", "8", "", "", "", ""}));
}

TEST_F(RunTest, DestinationWalkTestsEachLevelFromTheDrive) {
  Borehole("BH1");
  test::MakeFolder(env.Map("E:\\WORK\\SITE"));
  ui.SetBoreholes({"BH1"});
  ASSERT_EQ(RunConversion(session, ui), RunOutcome::kCompleted);
  std::vector<std::string> walk(env.exists_calls.begin(), env.exists_calls.begin() + 3);
  EXPECT_EQ(walk, (std::vector<std::string>{"E:\\WORK", "E:\\WORK\\SITE", "E:\\WORK\\SITE\\BH1"}));
  EXPECT_TRUE(env.IsFolder("E:\\WORK\\SITE\\BH1"));
}

TEST_F(RunTest, InvalidSourcePathWarnsAndFocusesItsBox) {
  ui.source = "  ";
  ui.SetBoreholes({"BH1"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kEndedByCheck);
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, DriveMessage());
  EXPECT_EQ(ui.boxes[0].kind, MessageKind::kInformation);
  EXPECT_EQ(ui.boxes[1].text, S(u8"指定されたパスは正しくありません。"));
  EXPECT_EQ(ui.boxes[1].kind, MessageKind::kWarning);
  EXPECT_EQ(ui.boxes[1].title, "");
  EXPECT_EQ(ui.focused, std::vector<PathBox>{PathBox::kSource});
  EXPECT_EQ(ui.message_line, "");
}

TEST_F(RunTest, InvalidDestinationIsTitledWithItsNormalisedText) {
  ui.destination = "Q:WORK";  // no such drive
  ui.SetBoreholes({"BH1"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kEndedByCheck);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].title, "Q:\\WORK");
  EXPECT_EQ(ui.focused, std::vector<PathBox>{PathBox::kDestination});
}

// An empty list says what is wrong with the source folder.
TEST_F(RunTest, NothingSelected) {
  for (bool empty_list : {true, false}) {
    FakeUi fresh;
    fresh.destination = ui.destination;
    fresh.source = ui.source;
    if (!empty_list) fresh.SetBoreholes({"BH1", "BH2"}, false);
    EXPECT_EQ(RunConversion(session, fresh), RunOutcome::kEndedByCheck);
    ASSERT_EQ(fresh.boxes.size(), 1u);
    EXPECT_EQ(fresh.boxes[0].text, empty_list ? S(u8"変換元のフォルダがありません: D:\\DATA\\DIZIVAD")
                                              : S(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が選択されていません。"));
    EXPECT_EQ(fresh.boxes[0].kind, MessageKind::kNotice);
  }
}

TEST_F(RunTest, TrailingSeparatorOnTheDestination) {
  Borehole("BH1");
  ui.destination = "E:\\WORK\\SITE\\";
  ui.SetBoreholes({"BH1"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kEndedByCheck);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, S(u8"最後のﾌｫﾙﾀﾞに「￥」は要りません。"));
  EXPECT_EQ(ui.boxes[0].title, "D:\\DATA\\DIZIVAD\\");  // the source folder
  EXPECT_TRUE(ui.focused.empty());
  EXPECT_FALSE(FileExists(env.Map("E:\\WORK\\SITE")));
}

TEST_F(RunTest, BoreholesWithoutDataAreDeselectedAndSourceStaysUntouched) {
  Borehole("BH1");
  Borehole("BH2", "");  // no "n1.txt" at all
  WriteBytes(env.Map("D:\\DATA\\DIZIVAD\\BH3\\N1.TXT"), "");
  Borehole("BH4");
  ui.SetBoreholes({"BH1", "BH2", "BH3", "BH4"});
  auto before = test::Snapshot(env.Map("D:\\DATA"));
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kCompleted);
  EXPECT_EQ(test::Snapshot(env.Map("D:\\DATA")), before);  // no "n1.txt" left behind
  EXPECT_EQ(ui.selected, (std::vector<bool>{true, false, false, true}));
  ASSERT_GE(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "[BH2]" + S(u8"にはデータがありません。変換されません。"));
  EXPECT_EQ(ui.boxes[0].title, "D:\\DATA\\DIZIVAD\\");
  EXPECT_EQ(ui.boxes[1].text, "[BH3]" + S(u8"にはデータがありません。変換されません。"));
  EXPECT_FALSE(FileExists(env.Map("E:\\WORK\\SITE\\BH2")));
  EXPECT_TRUE(FileExists(env.Map("E:\\WORK\\SITE\\BH4\\N1.TXT")));
}

TEST_F(RunTest, AllWithoutData) {
  Borehole("BH1", "");
  Borehole("BH2", "");
  ui.SetBoreholes({"BH1", "BH2"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kEndedByCheck);
  ASSERT_EQ(ui.boxes.size(), 3u);
  EXPECT_EQ(ui.boxes[2].text, S(u8"変換元ﾎﾞｰﾘﾝｸﾞ孔名が全て無効です。"));
  EXPECT_EQ(ui.boxes[2].kind, MessageKind::kNotice);
  EXPECT_FALSE(FileExists(env.Map("E:\\WORK\\SITE")));
}

TEST_F(RunTest, NoToTheQuestionEndsTheRunBeforeAnyConversion) {
  Borehole("BH1");
  Borehole("BH2");
  Borehole("BH3");
  test::MakeFolder(env.Map("E:\\WORK\\SITE"));
  ui.SetBoreholes({"BH1", "BH2", "BH3"});
  ui.answers = {true, false};
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kDeclined);
  EXPECT_EQ(ui.message_line, "");
  EXPECT_TRUE(env.IsFolder("E:\\WORK\\SITE\\BH1"));  // created before the no: it stays
  EXPECT_FALSE(FileExists(env.Map("E:\\WORK\\SITE\\BH1\\N1.TXT")));
  EXPECT_FALSE(FileExists(env.Map("E:\\WORK\\SITE\\BH2")));
}

TEST_F(RunTest, MissingParentIsAskedOnceAndCreatedShallowestFirst) {
  Borehole("BH1");
  ui.destination = "E:\\NEW\\DEEP";
  ui.SetBoreholes({"BH1"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kCompleted);
  EXPECT_EQ(ui.boxes.size(), 1u);
  EXPECT_TRUE(FileExists(env.Map("E:\\NEW\\DEEP\\BH1\\N1.TXT")));
}

TEST_F(RunTest, AFailureEndsTheRunWithOneErrorThatNamesIt) {
  Borehole("BH1");
  Borehole("BH2");
  WriteBytes(env.Map("D:\\DATA\\DIZIVAD\\BH1\\CNT.TXT"), "1,2,3\r\n");  // too few items
  ui.SetBoreholes({"BH1", "BH2"});
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kFailed);
  ASSERT_EQ(ui.boxes.back().kind, MessageKind::kError);
  const std::string& text = ui.boxes.back().text;
  EXPECT_NE(text.find("BH1"), std::string::npos);
  EXPECT_NE(text.find("CNT.TXT"), std::string::npos);
  EXPECT_NE(ui.message_line, S(u8"変換が正常に終了しました。"));
  EXPECT_FALSE(ui.busy);
  EXPECT_FALSE(FileExists(env.Map("E:\\WORK\\SITE\\BH2\\N1.TXT")));  // the run stopped there
  // The same context can run again.
  WriteBytes(env.Map("D:\\DATA\\DIZIVAD\\BH1\\CNT.TXT"), "1,2,3,4,5,6\r\n");
  FakeUi again;
  again.destination = ui.destination;
  again.source = ui.source;
  again.SetBoreholes({"BH1", "BH2"});
  EXPECT_EQ(RunConversion(session, again), RunOutcome::kCompleted);
}

TEST_F(RunTest, RefusesToConvertIntoTheSourceFolder) {
  Borehole("BH1");
  ui.destination = "D:\\DATA\\DIZIVAD";
  ui.SetBoreholes({"BH1"});
  auto before = test::Snapshot(env.Map("D:\\DATA"));
  EXPECT_EQ(RunConversion(session, ui), RunOutcome::kFailed);
  EXPECT_EQ(test::Snapshot(env.Map("D:\\DATA")), before);
}

}  // namespace
}  // namespace s1ordo
