// The command line's own texts in both languages.
#include "app/cli_texts.h"

#include <string_view>

namespace s1ordo {
namespace {

std::string U(std::u8string_view text) { return std::string(reinterpret_cast<const char*>(text.data()), text.size()); }

struct Pair {
  const char* english;
  std::u8string_view japanese;
};

Pair PairOf(CliText id) {
  switch (id) {
    case CliText::kNoCommand: return {"no command given", u8"コマンドがありません"};
    case CliText::kUnknownCommand: return {"unknown command: %1", u8"不明なコマンドです: %1"};
    case CliText::kUnknownOption: return {"unknown option: %1", u8"不明なオプションです: %1"};
    case CliText::kNeedsFolder: return {"%1 needs a folder", u8"%1 にはフォルダを指定します"};
    case CliText::kNeedsReport:
      return {"--report needs a file (- for standard output)", u8"--report にはファイルを指定します (- で標準出力)"};
    case CliText::kNeedsJobs: return {"--jobs takes a whole number of 1 or more", u8"--jobs には 1 以上の整数を指定します"};
    case CliText::kNeedsFormat: return {"--format takes text or json", u8"--format には text か json を指定します"};
    case CliText::kConvertOperands: return {"convert needs SOURCE and DEST", u8"convert には SOURCE と DEST を指定します"};
    case CliText::kCheckOperands: return {"check needs SOURCE", u8"check には SOURCE を指定します"};
    case CliText::kListOperands: return {"list takes one SOURCE folder", u8"list には SOURCE のフォルダを一つ指定します"};
    case CliText::kNamesOrAll:
      return {"give either BOREHOLE names or --all, not both", u8"BOREHOLE の名前と --all は一緒に指定できません"};
    case CliText::kSeeHelp: return {"See 's1ordo %1--help'.", u8"詳しくは s1ordo %1--help"};
    case CliText::kNotABorehole:
      return {"\"%1\" is not a borehole folder directly under %2; nothing was converted",
              u8"「%1」は %2 の直下のボーリング孔のフォルダではありません。何も変換していません"};
    case CliText::kNotAFolder: return {"not a folder: %1", u8"フォルダではありません: %1"};
    case CliText::kAnswerYes: return {" yes", u8" はい"};
    case CliText::kAnswerNo:
      return {" no (no terminal to ask; --yes answers yes)", u8" いいえ (問い合わせる端末がありません。--yes で「はい」になります)"};
    case CliText::kQuestionPrompt: return {" [y/N/a] ", u8" [y=はい/N=いいえ/a=残りすべてはい] "};
    case CliText::kInterrupted: return {"interrupted", u8"中断しました"};
    case CliText::kLeftUnfinished:
      return {"interrupted: %1 was left unfinished (its destination folder holds part of its files)",
              u8"中断しました: %1 は変換の途中です (変換先のフォルダには一部のファイルしかありません)"};
    case CliText::kReportNotWritten: return {"cannot write the report: %1", u8"レポートを書き込めません: %1"};
    case CliText::kWarningsHint:
      return {"the warnings are listed by --report FILE and by s1ordo check",
              u8"警告の一覧は --report FILE か s1ordo check で見られます"};
  }
  return {"", u8""};
}

void Fill(std::string& text, const char* mark, const std::string& value) {
  for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
    text.replace(at, 2, value);
}

#ifdef _WIN32
constexpr const char* kSystemFolderEnglish = "the Windows system folder";
constexpr std::u8string_view kSystemFolderJapanese = u8"Windows のシステムフォルダ";
#else
constexpr const char* kSystemFolderEnglish = "/etc/s1ordo";
constexpr std::u8string_view kSystemFolderJapanese = u8"/etc/s1ordo";
#endif

constexpr char kProgramHelp[] =
    "Usage:\n"
    "  s1ordo convert SOURCE DEST [BOREHOLE ...] [--all] [OPTION ...]\n"
    "  s1ordo check SOURCE [BOREHOLE ...] [--all] [--format text|json] [OPTION ...]\n"
    "  s1ordo list SOURCE\n"
    "  s1ordo COMMAND --help\n"
    "  s1ordo --help | --version\n"
    "\n"
    "convert  copies each borehole folder of SOURCE (the StravoS1 data folder) into a\n"
    "         folder of the same name under DEST and converts its files for Ordo.\n"
    "check    reads all that a conversion would read, writes nothing, and lists\n"
    "         every error and warning of every borehole.\n"
    "list     prints the borehole folders of SOURCE, sorted by name.\n"
    "\n"
    "The settings files DodavoZ5.ini and Ridevi.ini are read from --system-folder DIR,\n"
    "else $S1ORDO_SYSTEM_FOLDER, else %S.\n"
    "Exit codes: 0 done; 1 a check ended the run or the answer was no; 2 a failure\n"
    "(check: a conversion would fail); 3 no RIDEVI setting; 64 usage; 130 interrupted.\n";

constexpr char8_t kProgramHelpJapanese[] =
    u8"使い方:\n"
    u8"  s1ordo convert SOURCE DEST [BOREHOLE ...] [--all] [OPTION ...]\n"
    u8"  s1ordo check SOURCE [BOREHOLE ...] [--all] [--format text|json] [OPTION ...]\n"
    u8"  s1ordo list SOURCE\n"
    u8"  s1ordo COMMAND --help\n"
    u8"  s1ordo --help | --version\n"
    u8"\n"
    u8"convert  SOURCE (StravoS1 のデータフォルダ) の各ボーリング孔のフォルダを DEST の下の\n"
    u8"         同じ名前のフォルダに写し、そのファイルを Ordo 用に変換します。\n"
    u8"check    変換が読むものをすべて読み、何も書き込まずに、すべてのボーリング孔の\n"
    u8"         エラーと警告を一覧にします。\n"
    u8"list     SOURCE のボーリング孔のフォルダを名前順に表示します。\n"
    u8"\n"
    u8"設定ファイル DodavoZ5.ini と Ridevi.ini は --system-folder DIR から、なければ\n"
    u8"$S1ORDO_SYSTEM_FOLDER から、なければ %S から読みます。\n"
    u8"終了コード: 0 完了、1 確認で終了または「いいえ」、2 失敗 (check: 変換が失敗する)、\n"
    u8"3 RIDEVI の設定がない、64 使い方の誤り、130 中断。\n";

constexpr char kConvertHelp[] =
    "Usage: s1ordo convert SOURCE DEST [BOREHOLE ...] [--all] [--yes] [--no-wait]\n"
    "                      [--dry-run] [--report FILE|-] [--keep-going] [--clean]\n"
    "                      [--jobs N] [--system-folder DIR]\n"
    "\n"
    "Copies each borehole folder of SOURCE (the StravoS1 data folder) into a folder of\n"
    "the same name under DEST and converts its files for Ordo. Names that the\n"
    "vocabulary and legend lists of the RIDEVI folder lack are added to them.\n"
    "\n"
    "  BOREHOLE ...         sub-folders of SOURCE, converted in the order given\n"
    "  --all                every sub-folder of SOURCE, sorted by name\n"
    "  --yes                answer yes when a destination folder must be created;\n"
    "                       without it the question is asked on a terminal (\"a\"\n"
    "                       answers yes for every borehole left) and answered no\n"
    "                       otherwise\n"
    "  --no-wait            fail at once while another conversion uses the same\n"
    "                       RIDEVI folder, instead of waiting for it to end\n"
    "  --dry-run            convert against copies held in memory: DEST, RIDEVI, the\n"
    "                       list folder and the program folder stay as they are;\n"
    "                       prints the files it would write and the lines it would add\n"
    "  --report FILE        write a JSON report of the run to FILE (- for standard\n"
    "                       output), also when the run fails or ends at a check\n"
    "  --keep-going         a failing borehole does not end the run: the others are\n"
    "                       converted, and the exit status is 2\n"
    "  --clean              delete the files of each DEST/BOREHOLE folder before its\n"
    "                       copy; without it, files there that the source lacks are\n"
    "                       named in a warning\n"
    "  --jobs N             1: convert one borehole after another on one thread; 2 (the\n"
    "                       default, and any larger N): convert and write the next\n"
    "                       boreholes on two more threads (into a hidden folder in\n"
    "                       DEST, moved into place in list order); the results are\n"
    "                       the same\n"
    "  --system-folder DIR  the folder of DodavoZ5.ini (line 2: the RIDEVI folder) and\n"
    "                       Ridevi.ini (line 2: the folder of L8.txt and L9.txt);\n"
    "                       default $S1ORDO_SYSTEM_FOLDER, else %S\n"
    "\n"
    "A run that converted ends with a summary on standard error. Ctrl-C stops it\n"
    "between two files (exit 130).\n"
    "Exit status: 0 converted; 1 a check ended the run or the answer was no; 2 a\n"
    "failure; 3 no RIDEVI setting; 64 wrong usage or BOREHOLE names; 130 interrupted.\n";

constexpr char8_t kConvertHelpJapanese[] =
    u8"使い方: s1ordo convert SOURCE DEST [BOREHOLE ...] [--all] [--yes] [--no-wait]\n"
    u8"                       [--dry-run] [--report FILE|-] [--keep-going] [--clean]\n"
    u8"                       [--jobs N] [--system-folder DIR]\n"
    u8"\n"
    u8"SOURCE (StravoS1 のデータフォルダ) の各ボーリング孔のフォルダを DEST の下の同じ名前の\n"
    u8"フォルダに写し、そのファイルを Ordo 用に変換します。RIDEVI フォルダの語彙と凡例の\n"
    u8"リストにない名前は、そこに追加されます。\n"
    u8"\n"
    u8"  BOREHOLE ...         SOURCE のサブフォルダ。指定の順に変換します\n"
    u8"  --all                SOURCE のすべてのサブフォルダを名前順に\n"
    u8"  --yes                変換先のフォルダを作るかの問いに「はい」と答えます。ないときは\n"
    u8"                       端末で問い合わせ (a で残りすべて「はい」)、端末がなければ\n"
    u8"                       「いいえ」になります\n"
    u8"  --no-wait            同じ RIDEVI フォルダを別の変換が使用中なら、終わるのを待たずに\n"
    u8"                       すぐに失敗します\n"
    u8"  --dry-run            メモリ上の写しで試しに変換します。DEST、RIDEVI、リストフォルダ、\n"
    u8"                       プログラムのフォルダは変わりません。書き込むはずのファイルと\n"
    u8"                       追加するはずの行を表示します\n"
    u8"  --report FILE        変換の結果を JSON で FILE に書きます (- で標準出力)。失敗したとき\n"
    u8"                       や確認で終わったときも書きます\n"
    u8"  --keep-going         失敗したボーリング孔があっても止めずに残りを変換します。終了\n"
    u8"                       コードは 2 になります\n"
    u8"  --clean              写す前に DEST/BOREHOLE のフォルダのファイルを削除します。ない\n"
    u8"                       ときは、変換元にないファイルが残っていれば警告します\n"
    u8"  --jobs N             1: ボーリング孔を一つずつ一つのスレッドで変換します。2 (既定、\n"
    u8"                       それより大きい N も同じ): 次の孔を別の二つのスレッドで変換\n"
    u8"                       して DEST の隠しフォルダに書き込み、リストの順に所定の場所\n"
    u8"                       へ移します。結果は同じです\n"
    u8"  --system-folder DIR  DodavoZ5.ini (2 行目: RIDEVI フォルダ) と Ridevi.ini (2 行目:\n"
    u8"                       L8.txt と L9.txt のフォルダ) のフォルダ。既定は\n"
    u8"                       $S1ORDO_SYSTEM_FOLDER、なければ %S\n"
    u8"\n"
    u8"変換した実行は、最後に標準エラー出力へ結果の要約を表示します。Ctrl-C でファイルの\n"
    u8"区切りで止まります (終了コード 130)。\n"
    u8"終了コード: 0 変換した、1 確認で終了または「いいえ」、2 失敗、3 RIDEVI の設定がない、\n"
    u8"64 使い方か BOREHOLE の誤り、130 中断。\n";

constexpr char kCheckHelp[] =
    "Usage: s1ordo check SOURCE [BOREHOLE ...] [--all] [--format text|json]\n"
    "                    [--no-wait] [--system-folder DIR]\n"
    "\n"
    "Reads everything a conversion of those boreholes (of every borehole of SOURCE\n"
    "when none is named) would read, and writes nothing: the conversion is made in\n"
    "memory against the pattern data. Lists every finding of every borehole, one a\n"
    "line, as FILE:LINE: error: TEXT or FILE:LINE: warning: TEXT, FILE as found under\n"
    "SOURCE (B-2/CNT.TXT), then a line of counts; --format json gives the findings as\n"
    "a JSON array. --no-wait and --system-folder DIR are those of convert.\n"
    "\n"
    "Exit status: 0 no error (warnings allowed); 2 a conversion would fail; 3 no RIDEVI\n"
    "setting; 64 wrong usage or BOREHOLE names; 130 interrupted.\n";

constexpr char8_t kCheckHelpJapanese[] =
    u8"使い方: s1ordo check SOURCE [BOREHOLE ...] [--all] [--format text|json]\n"
    u8"                     [--no-wait] [--system-folder DIR]\n"
    u8"\n"
    u8"それらのボーリング孔 (指定がなければ SOURCE のすべてのボーリング孔) の変換が読むものを\n"
    u8"すべて読み、何も書き込みません。変換はパターンデータに対してメモリ上で行います。\n"
    u8"すべてのボーリング孔のすべての指摘を 1 行ずつ FILE:LINE: error: TEXT または\n"
    u8"FILE:LINE: warning: TEXT の形 (FILE は SOURCE からの相対パス、B-2/CNT.TXT) で表示し、\n"
    u8"最後に件数を表示します。--format json では JSON の配列で出力します。--no-wait と\n"
    u8"--system-folder DIR は convert と同じです。\n"
    u8"\n"
    u8"終了コード: 0 エラーなし (警告はあってもよい)、2 変換が失敗する、3 RIDEVI の設定がない、\n"
    u8"64 使い方か BOREHOLE の誤り、130 中断。\n";

constexpr char kListHelp[] =
    "Usage: s1ordo list SOURCE\n"
    "\n"
    "Prints the borehole folders of SOURCE, sorted by name.\n"
    "Exit status: 0 listed; 1 SOURCE is not a folder; 2 it may not be read; 64 usage.\n";

constexpr char8_t kListHelpJapanese[] =
    u8"使い方: s1ordo list SOURCE\n"
    u8"\n"
    u8"SOURCE のボーリング孔のフォルダを名前順に表示します。\n"
    u8"終了コード: 0 表示した、1 SOURCE がフォルダでない、2 読めない、64 使い方の誤り。\n";

}  // namespace

std::string Text(CliText id, bool japanese, const std::string& a, const std::string& b) {
  const Pair pair = PairOf(id);
  std::string text = japanese ? U(pair.japanese) : pair.english;
  Fill(text, "%1", a);
  Fill(text, "%2", b);
  return text;
}

std::string FindingsLine(int errors, int warnings, bool japanese) {
  if (japanese) return U(u8"エラー ") + std::to_string(errors) + U(u8" 件、警告 ") + std::to_string(warnings) + U(u8" 件");
  return std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
         (warnings == 1 ? " warning" : " warnings");
}

std::string HelpText(const std::string& command, bool japanese) {
  std::string text;
  if (command == "convert") {
    text = japanese ? U(kConvertHelpJapanese) : kConvertHelp;
  } else if (command == "check") {
    text = japanese ? U(kCheckHelpJapanese) : kCheckHelp;
  } else if (command == "list") {
    text = japanese ? U(kListHelpJapanese) : kListHelp;
  } else {
    text = japanese ? U(kProgramHelpJapanese) : kProgramHelp;
  }
  Fill(text, "%S", japanese ? U(kSystemFolderJapanese) : kSystemFolderEnglish);
  return text;
}

}  // namespace s1ordo
