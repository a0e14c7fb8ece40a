// Tests of the geology look-up: known and new names, the additions file,
// the vocabulary marker and files that fail or are cut short.
#include "vocabulary/geology_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "converter_fixture.h"
#include "helpers/encoding.h"
#include "helpers/error.h"
#include "helpers/memory_env.h"

namespace s1ordo {
namespace {

using test::Lines;
using test::S;

const std::string kBlanks = ",    ,    ,    ,    ";

class GeologyLookupTest : public test::ConverterTest {
 protected:
  GeologyLookupTest() : ridevi(dir / "RIDEVI"), program(dir / "program") {
    Kishitu(Lines({S(u8"0010,礫") + kBlanks, S(u8"0020,砂") + kBlanks, S(u8"0040,粘土") + kBlanks,
                   S(u8"0041,砂") + kBlanks}));
    Additions(Lines({S(u8"1000,砂混りシルト") + kBlanks, S(u8"1001,\"シルト質砂\",  a ,  ,    ,    "),
                     S(u8"4000,岩盤") + kBlanks}));
    NextRun();
  }

  // The lookups of a new run, which reads the files anew.
  void NextRun() { run = std::make_unique<GeologyLookup>(env, pattern_folder); }
  void Kishitu(const std::string& bytes) { WriteBytes(ridevi + "/KISHITU.TXT", bytes); }
  void Additions(const std::string& bytes) { WriteBytes(ridevi + "/XKISHITU.TXT", bytes); }
  std::string KishituNow() { return ReadBytes(ridevi + "/KISHITU.TXT"); }
  std::string AdditionsNow() { return ReadBytes(ridevi + "/XKISHITU.TXT"); }
  std::string Lookup(std::u8string_view name) { return run->LookupGeologyCode(S(name)); }

  std::string ridevi, program;
  std::unique_ptr<GeologyLookup> run;
};

TEST_F(GeologyLookupTest, KnownNamesChangeNoFile) {
  auto before = Snapshot(dir.path());
  EXPECT_EQ(run->LookupGeologyCode("   "), "0000");
  EXPECT_EQ(run->LookupGeologyCode(""), "0000");
  EXPECT_EQ(Lookup(u8"  粘土 "), "0040");  // blanks at both ends do not count
  EXPECT_EQ(Lookup(u8"砂"), "0020");       // the first of two records wins
  EXPECT_EQ(Snapshot(dir.path()), before);
  EXPECT_FALSE(FileExists(program + "/PATADD.txt"));
}

TEST_F(GeologyLookupTest, ANameOnlyInTheAdditionsIsCopiedWithItsItemsAsRead) {
  std::string additions = AdditionsNow();
  EXPECT_EQ(Lookup(u8"シルト質砂"), "1001");
  EXPECT_EQ(AdditionsNow(), additions);
  // Quotes and surrounding blanks are gone; blank items become empty ones.
  EXPECT_EQ(KishituNow(), Lines({S(u8"0010,礫") + kBlanks, S(u8"0020,砂") + kBlanks, S(u8"0040,粘土") + kBlanks,
                                 S(u8"0041,砂") + kBlanks, S(u8"1001,シルト質砂,a,,,")}));
  EXPECT_TRUE(FileExists(program + "/PATADD.txt"));
  // Found in "KISHITU.TXT" from now on, in this run and the next.
  EXPECT_EQ(Lookup(u8"シルト質砂"), "1001");
  NextRun();
  EXPECT_EQ(Lookup(u8"シルト質砂"), "1001");
  std::string kishitu = KishituNow();
  EXPECT_EQ(std::count(kishitu.begin(), kishitu.end(), '\n'), 5);
}

TEST_F(GeologyLookupTest, NewNamesGetTheNextCodeBelow4000) {
  // Part of a known name, or a known name within a longer one, is new.
  EXPECT_EQ(Lookup(u8"粘"), "1002");
  EXPECT_EQ(Lookup(u8"砂混りシルト質粘土"), "1003");
  EXPECT_EQ(AdditionsNow(), Lines({S(u8"1000,砂混りシルト") + kBlanks, S(u8"1001,\"シルト質砂\",  a ,  ,    ,    "),
                                   S(u8"1002,粘") + kBlanks, S(u8"1003,砂混りシルト質粘土") + kBlanks,
                                   S(u8"4000,岩盤") + kBlanks}));
  std::string kishitu = KishituNow();
  EXPECT_TRUE(kishitu.ends_with(S(u8"1002,粘") + kBlanks + "\r\n" + S(u8"1003,砂混りシルト質粘土") + kBlanks + "\r\n"));
  EXPECT_FALSE(FileExists(ridevi + "/XKISHITU.TMP"));
  EXPECT_EQ(Lookup(u8"粘"), "1002");
  EXPECT_EQ(KishituNow(), kishitu);
}

TEST_F(GeologyLookupTest, WhereTheNewEntryGoesInTheAdditions) {
  Additions(Lines({"4000,X" + kBlanks, "4100,Y" + kBlanks}));
  EXPECT_EQ(Lookup(u8"新1"), "1000");
  EXPECT_EQ(AdditionsNow(), Lines({S(u8"1000,新1") + kBlanks, "4000,X" + kBlanks, "4100,Y" + kBlanks}));

  NextRun();
  Additions(Lines({"0500,A" + kBlanks, "1234,B" + kBlanks, "5000,C" + kBlanks, "1500,D" + kBlanks}));
  EXPECT_EQ(Lookup(u8"新2"), "1235");  // after the last line below 4000 before the first of 4000 on
  EXPECT_EQ(AdditionsNow(), Lines({"0500,A" + kBlanks, "1234,B" + kBlanks, S(u8"1235,新2") + kBlanks,
                                   "5000,C" + kBlanks, "1500,D" + kBlanks}));

  NextRun();
  Additions("");
  EXPECT_EQ(Lookup(u8"新3"), "1000");
  EXPECT_EQ(AdditionsNow(), Lines({S(u8"1000,新3") + kBlanks}));

  NextRun();
  Additions("0005,A,,,,\n3998,B,,,,\n");  // lines ended by LF alone are written with CR LF
  EXPECT_EQ(Lookup(u8"新4"), "3999");
  EXPECT_EQ(AdditionsNow(), Lines({"0005,A,,,,", "3998,B,,,,", S(u8"3999,新4") + kBlanks}));
}

// Codes from 4000 on belong to the target system: a new name that would get
// one fails, and neither vocabulary file changes.
TEST_F(GeologyLookupTest, TheAdditionsStopAt3999) {
  for (const std::string& additions : {Lines({"3999,A" + kBlanks}), Lines({"3999,A" + kBlanks, "4000,X" + kBlanks})}) {
    NextRun();
    Additions(additions);
    const std::string kishitu = KishituNow();
    try {
      Lookup(u8"新しい名前");
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), ridevi + "/XKISHITU.TXT");
      EXPECT_NE(e.cause().find("XKISHITU.TXT"), std::string::npos);
      EXPECT_NE(e.cause().find(S(u8"1000～3999")), std::string::npos);
    }
    EXPECT_EQ(AdditionsNow(), additions);
    EXPECT_EQ(KishituNow(), kishitu);
    EXPECT_FALSE(FileExists(ridevi + "/XKISHITU.TMP"));
    EXPECT_EQ(Lookup(u8"粘土"), "0040");  // known names are still found
  }
}

TEST_F(GeologyLookupTest, MissingVocabularyFilesFailOnlyWhenNeeded) {
  env.DeleteFile(ridevi + "/XKISHITU.TXT");
  EXPECT_EQ(Lookup(u8"礫"), "0010");  // "XKISHITU.TXT" is not needed
  try {
    Lookup(u8"新しい名前");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ridevi + "/XKISHITU.TXT");
  }
  env.DeleteFile(ridevi + "/KISHITU.TXT");
  NextRun();
  EXPECT_EQ(run->LookupGeologyCode(" "), "0000");
  try {
    Lookup(u8"礫");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.file(), ridevi + "/KISHITU.TXT");
  }
  EXPECT_FALSE(FileExists(ridevi + "/KISHITU.TXT"));
}

// Every search reads the file to its end: a file that ends inside a record
// fails every lookup that reads it, also of a name found before the cut.
TEST_F(GeologyLookupTest, AFileCutShortFailsEveryLookupThatReadsIt) {
  const std::string additions = AdditionsNow();
  Kishitu(S(u8"0010,礫") + kBlanks + "\r\n0020,B,,\r\n");
  for (std::u8string_view name : {u8"礫", u8"B", u8"礫"}) {
    try {
      Lookup(name);
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.file(), ridevi + "/KISHITU.TXT");
      EXPECT_EQ(e.line(), 2);
    }
  }
  EXPECT_EQ(AdditionsNow(), additions);

  NextRun();
  Kishitu(Lines({S(u8"0010,礫") + kBlanks}));
  Additions(Lines({"1000,C" + kBlanks, "1001,D"}));
  EXPECT_EQ(Lookup(u8"礫"), "0010");  // "XKISHITU.TXT" is not read
  EXPECT_THROW(Lookup(u8"C"), Error);
  EXPECT_EQ(KishituNow(), Lines({S(u8"0010,礫") + kBlanks}));
}

// A record appended to a file whose last line has no line end starts on a
// line of its own.
TEST_F(GeologyLookupTest, AnAppendedRecordStartsOnALineOfItsOwn) {
  Kishitu(S(u8"0040,粘土,,,,10"));
  EXPECT_EQ(Lookup(u8"シルト質砂"), "1001");
  EXPECT_EQ(Lookup(u8"新"), "1002");
  EXPECT_EQ(KishituNow(), S(u8"0040,粘土,,,,10\r\n1001,シルト質砂,a,,,\r\n1002,新") + kBlanks + "\r\n");
  NextRun();
  EXPECT_EQ(Lookup(u8"粘土"), "0040");

  NextRun();
  Kishitu(S(u8"0040,粘土,,,,10\r"));  // a lone CR ends the line already
  EXPECT_EQ(Lookup(u8"新2"), "1003");
  EXPECT_EQ(KishituNow(), S(u8"0040,粘土,,,,10\r1003,新2") + kBlanks + "\r\n");
}

TEST_F(GeologyLookupTest, AFailedRewriteLeavesBothFilesWhole) {
  std::string kishitu = KishituNow(), additions = AdditionsNow();
  MakeFolder(ridevi + "/XKISHITU.TMP");  // the temporary file cannot be written
  EXPECT_THROW(Lookup(u8"新しい名前"), Error);
  EXPECT_EQ(KishituNow(), kishitu);
  EXPECT_EQ(AdditionsNow(), additions);
  // The next lookup reads the files as they are.
  env.DeleteFile(ridevi + "/XKISHITU.TMP");
  EXPECT_EQ(Lookup(u8"新しい名前"), "1002");
  EXPECT_TRUE(KishituNow().ends_with(S(u8"1002,新しい名前") + kBlanks + "\r\n"));
}

TEST_F(GeologyLookupTest, TheMarkerIsLeftOnceAndItsFailureOnlyWarns) {
  WriteBytes(program + "/PATADD.txt", "keep");
  EXPECT_EQ(Lookup(u8"新1"), "1002");
  EXPECT_EQ(ReadBytes(program + "/PATADD.txt"), "keep");
  EXPECT_TRUE(run->warnings().empty());

  test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", (dir / "no-such-folder"));
  EXPECT_EQ(Lookup(u8"新2"), "1003");
  EXPECT_EQ(Lookup(u8"新3"), "1004");
  ASSERT_EQ(run->warnings().size(), 1u);  // warned once per run
  // A warning that says the run goes on, never that it ends, and names the marker.
  const std::string& warning = run->warnings()[0];
  EXPECT_TRUE(warning.starts_with(S(u8"警告: "))) << DisplayText(warning);
  EXPECT_NE(warning.find(S(u8"変換は中止せずに続けます")), std::string::npos) << DisplayText(warning);
  EXPECT_EQ(warning.find(S(u8"変換を中止します")), std::string::npos) << DisplayText(warning);
  EXPECT_NE(warning.find((dir / "no-such-folder") + "/PATADD.txt"), std::string::npos);
  EXPECT_TRUE(KishituNow().ends_with(S(u8"1004,新3") + kBlanks + "\r\n"));
}

// Lookups through the cache of one run against lookups that read the files
// anew every time: the same codes and the same files after every step.
struct Twin {
  Twin() { env->CreateFolder(ridevi); }
  // The lookups of a new run.
  void NextRun() { lookup = std::make_unique<GeologyLookup>(*env, ridevi + "/"); }
  std::string File(const std::string& name) { return env->ReadFile(ridevi + "/" + name); }
  std::unique_ptr<Env> env = NewMemoryEnv();
  const std::string ridevi = "/RIDEVI";
  std::unique_ptr<GeologyLookup> lookup;
};

// The code, or the failure with its file (within the pattern-data folder),
// line and cause.
std::string Outcome(Twin& t, const std::string& name) {
  try {
    return t.lookup->LookupGeologyCode(name);
  } catch (const Error& e) {
    return "error " + e.file().substr(t.ridevi.size()) + " " + std::to_string(e.line()) + " " + e.cause();
  }
}

TEST(GeologyLookupCacheTest, GivesTheAnswersOfReadingTheFilesEachTime) {
  const std::vector<std::string> kishitu_starts = {
      Lines({"0010,A" + kBlanks, "0020,B" + kBlanks, "0030,A" + kBlanks}),
      "0010,A,a,b,c,d",                                       // no line end: the first append ends it first
      Lines({"0010,A" + kBlanks, "0020,\"B", "x\",,,,"}),     // a quoted name across two lines
      Lines({"0010,A" + kBlanks, "0020,\"B,,,,"}),            // a quote left open to the end
      Lines({"0010,A" + kBlanks, "0020,B,,,,\"x"}),           // item 6 runs on to the end
      Lines({"0010,A" + kBlanks + ",", "0020,B" + kBlanks}),  // 7 items: the file ends inside a record
      Lines({"0010,A" + kBlanks}) + "\r\n",                   // an empty last line
      "",
  };
  const std::vector<std::string> additions_starts = {
      Lines({"1000,C" + kBlanks, "1001,D" + kBlanks, "4000,G" + kBlanks}),
      Lines({"1000,C" + kBlanks, "1001,\"D,E\",,,,", "1002,\"F\",\"q", "r\",,,", "4000,G" + kBlanks}),
      "",
  };
  // Names that break the files (a comma or a line end inside) come last.
  const std::vector<std::string> names = {"A", "C", "N1", "B", "N2", "A", "N1", "G", "C", "N3", "D", "N2",
                                          "F", "N4", "N3", "N4", "x,,,,\"y", "N7", "N7", "D,E", "N5", "E,,,,", "N5", "B\r\nx", "N6"};
  for (const std::string& kishitu : kishitu_starts) {
    for (const std::string& additions : additions_starts) {
      test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", "/");
      Twin cached, fresh;
      for (Twin* t : {&cached, &fresh}) {
        WriteWholeFile(*t->env, t->ridevi + "/KISHITU.TXT", kishitu);
        WriteWholeFile(*t->env, t->ridevi + "/XKISHITU.TXT", additions);
      }
      for (int run = 0; run < 2; ++run) {
        cached.NextRun();
        for (const std::string& name : names) {
          fresh.NextRun();
          std::string got = Outcome(cached, name);
          std::string want = Outcome(fresh, name);
          SCOPED_TRACE("kishitu " + kishitu + " / additions " + additions + " / name " + name);
          EXPECT_EQ(got, want);
          ASSERT_EQ(cached.File("KISHITU.TXT"), fresh.File("KISHITU.TXT"));
          ASSERT_EQ(cached.File("XKISHITU.TXT"), fresh.File("XKISHITU.TXT"));
        }
      }
      test::SetEnvironment("S1ORDO_PROGRAM_FOLDER", "");
    }
  }
}

}  // namespace
}  // namespace s1ordo
