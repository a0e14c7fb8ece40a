#include "bench_data.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "helpers/encoding.h"

namespace fs = std::filesystem;

namespace {

// A small deterministic generator (the same numbers on every platform).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint64_t state_;
};

class Writer {
 public:
  explicit Writer(const fs::path& path) : out_(path, std::ios::binary) {
    if (!out_) {
      std::cerr << "cannot write " << path << "\n";
      std::exit(1);
    }
  }
  // One line; u8 text is turned into code page 932.
  Writer& Line(const std::string& utf8) {
    auto cp932 = s1ordo::TryUtf8ToCp932(utf8);
    out_ << (cp932 ? *cp932 : utf8) << "\r\n";
    return *this;
  }

 private:
  std::ofstream out_;
};

std::string U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Depth(double d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", d);
  return buf;
}

std::string Digits2(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

const std::vector<std::string> kNames = {
    U(u8"砂"),     U(u8"礫"),     U(u8"粘土"),   U(u8"シルト"), U(u8"ローム"), U(u8"腐植土"),
    U(u8"玉石"),   U(u8"軽石"),   U(u8"貝殻"),   U(u8"凝灰岩"), U(u8"砂岩"),   U(u8"泥岩"),
    U(u8"盛土"),   U(u8"埋土"),   U(u8"表土"),   U(u8"火山灰"), U(u8"木片"),   U(u8"炭化物"),
};

std::string Name(int k) { return kNames[static_cast<size_t>(k) % kNames.size()] + std::to_string(k); }

void WriteBorehole(const fs::path& dir, int b, int records, Random& rnd) {
  fs::create_directories(dir);
  int r6 = records < 1000 ? records : 1000;  // layer descriptions hold at most 1000 records
  Writer(dir / "N1.TXT").Line("1,0.00,1.00," + U(u8"盛土"));
  Writer(dir / "CNT.TXT").Line("1,2,3,4," + std::to_string(5 + b % 30) + ",8");
  {
    Writer t(dir / "TITL1.TXT");
    t.Line(U(u8"平成30年度　地質調査業務")).Line(U(u8"　第") + std::to_string(b) + U(u8"工区"));
    t.Line(U(u8"株式会社　地盤調査")).Line(U(u8"調査地点") + std::to_string(b)).Line("BOR-" + std::to_string(b));
    t.Line(U(u8"東京都千代田区")).Line(U(u8"　一丁目")).Line("").Line("");
    for (const char* v : {"2018", "4", "1", "2018", "5", "20"}) t.Line(v);
    t.Line(std::to_string(1 + b % 20)).Line(U(u8"ロータリー式")).Line(std::to_string(1 + b % 9));
    t.Line(U(u8"山田　太郎")).Line(U(u8"鈴木　一郎")).Line(U(u8"佐藤")).Line("12.35").Line("66");
    t.Line(U(u8"地下水位")).Line("1.20").Line(std::to_string(b % 12));
  }
  {
    Writer t(dir / "TITL2.TXT");
    t.Line(U(u8"○○川改修")).Line(U(u8"　調査")).Line(U(u8"発注者")).Line(U(u8"受注者"));
    for (const char* v : {"35", "40", "58", "139", "46", "10"}) t.Line(v);
    t.Line(U(u8"標準貫入試験")).Line("90").Line("0").Line("N").Line(U(u8"備考"));
  }
  Writer n1a(dir / "N1A.TXT"), n4(dir / "N4.TXT"), n11(dir / "N11.TXT"), n3(dir / "N3.TXT"), n13(dir / "N13.TXT");
  Writer n12(dir / "N12.TXT"), g101(dir / "G101.TXT"), n5(dir / "N5.TXT"), g41(dir / "G41.TXT");
  Writer g41a(dir / "G41A.txt"), g41b(dir / "G41B.txt"), mitudo(dir / "MITUDO.TXT"), g72(dir / "G72.TXT");
  Writer n6(dir / "N6.txt"), n7(dir / "N7.txt");
  std::vector<Writer> g3x;
  for (const char* g : {"G30", "G31", "G32", "G33", "G34", "G35"}) g3x.emplace_back(dir / (std::string(g) + ".TXT"));
  for (int r = 1; r <= records; ++r) {
    std::string no = std::to_string(r), d = Depth(r * 0.5);
    // Layers repeat a few soils of the site: the codes come from a fixed
    // pool of combinations, so the vocabulary grows by a bounded number of
    // names however many boreholes there are.
    int pick = (b * 7 + rnd.Below(12)) % 60;
    int system = pick % 3;
    std::string codes[3] = {",,,,,", ",,,,,", ",,,,,"};
    if (system == 0) {
      codes[0] = std::to_string(1 + pick % 7) + "," + std::to_string(2 + pick % 6) + "," +
                 std::to_string(10 + pick) + (pick % 5 == 0 ? ",0,0,20" : ",0,0,0");
    } else if (system == 1) {
      codes[1] = std::to_string(1 + pick % 8) + "," + std::to_string(10 * (1 + pick % 5)) + "," +
                 std::to_string(100 * (1 + pick % 9)) + ",0,0,0";
    } else {
      codes[2] = "0,0," + std::to_string(10 + pick) + ",0,0,0";
    }
    n1a.Line(no + "," + d + "," + codes[0] + "," + codes[1] + "," + codes[2]);
    n4.Line(no + "," + d + "," + Depth(r * 0.5 + 0.2) + "," + std::to_string(1 + rnd.Below(15)));
    n11.Line(no + "," + d + "," + std::to_string(100 + rnd.Below(900)) + "," + U(u8"注記"));
    n3.Line(no + "," + d + "," + Digits2(1 + rnd.Below(20)) + Digits2(1 + rnd.Below(20)) + Digits2(rnd.Below(20)) +
            "," + (rnd.Below(2) ? Digits2(1 + rnd.Below(20)) + Digits2(1 + rnd.Below(20)) + "00" : ""));
    n13.Line(no + "," + d + "," + Digits2(1 + rnd.Below(20)) + Digits2(1 + rnd.Below(20)) + "00");
    bool cont = r > 1 && rnd.Below(4) == 0;
    n12.Line(no + "," + (cont ? "" : d) + ",\"" + U(u8"記事、その") + no + "\"");
    g101.Line(no + "," + (cont ? "" : d) + "," + U(u8"孔内水位の観測") + no);
    n5.Line(no + "," + d + "," + std::to_string(1 + rnd.Below(60)) + "," + std::to_string(rnd.Below(31)) +
            ",10,10,10,5,5,5");
    for (auto& g : g3x) g.Line(no + "," + d + "," + std::to_string(1 + rnd.Below(40)) + "," +
                              std::to_string(rnd.Below(40)));
    g41.Line(no + "," + d + ",1,2,3");
    g41a.Line(no + "," + d + ",4,5,6,7");
    g41b.Line(no + "," + d + ",8,9");
    mitudo.Line(no + "," + d + ",1.85,2.65");
    g72.Line(no + "," + d + ",12," + std::to_string(1 + rnd.Below(40)) + "," + std::to_string(1 + rnd.Below(40)) +
             "," + U(u8"備考"));
    if (r <= r6) {
      std::string flags;
      for (int j = 0; j < 15; ++j) flags += rnd.Below(4) == 0 ? '1' : '0';
      n6.Line(no + "," + U(u8"層名") + no + "," + std::to_string(1 + rnd.Below(50)) + "," + Depth(r * 0.5) + "," +
              Depth(r * 0.5 + 0.4) + ",1,2," + flags);
    }
    n7.Line(no + "," + U(u8"区分") + "," + std::to_string(1 + rnd.Below(30)) + "," + d + "," + Depth(r * 0.5 + 0.35) +
            ",A,B");
  }
  Writer(dir / "N5.hed").Line(U(u8"標準貫入試験"));
  Writer(dir / "N5.hd2").Line("N,cm");
}

void WriteList(const fs::path& path, int entries, int fields, const std::string& prefix) {
  Writer w(path);
  for (int k = 1; k <= entries; ++k) {
    std::string line = std::to_string(k) + "," + (fields == 3 ? "x," : "") + prefix + Name(k);
    w.Line(line);
  }
}

}  // namespace

void GenerateBenchData(const fs::path& out, int boreholes, int records, int entries, int vocabulary) {
  fs::path source = out / "DIZIVAD", ridevi = out / "RIDEVI", lists = out / "LISTS", system = out / "SYS";
  for (const auto& d : {source, ridevi, lists, system}) fs::create_directories(d);

  Random rnd(42);
  for (int b = 1; b <= boreholes; ++b) {
    char name[16];
    std::snprintf(name, sizeof name, "B%04d", b);
    WriteBorehole(source / name, b, records, rnd);
  }

  {
    Writer k(ridevi / "KISHITU.TXT");
    for (int v = 1; v <= vocabulary; ++v) {
      char code[8];
      std::snprintf(code, sizeof code, "%04d", v % 10000);
      k.Line(std::string(code) + "," + U(u8"地層") + Name(v) + ",    ,    ,    ,    ");
    }
    // Some names the layers compose, so that lookups also find entries.
    k.Line("0100," + U(u8"砂") + ",    ,    ,    ,    ");
    k.Line("0101," + U(u8"粘土") + ",    ,    ,    ,    ");
  }
  Writer(ridevi / "XKISHITU.TXT").Line("1000," + U(u8"砂混り粘土") + ",    ,    ,    ,    ").Line(
      "4000," + U(u8"岩盤") + ",    ,    ,    ,    ");
  {
    Writer k(ridevi / "KONNYU.TXT");
    const char8_t* inclusions[] = {u8"玉石", u8"礫", u8"砂", u8"シルト", u8"粘土", u8"火山灰", u8"ローム", u8"腐植物",
                                   u8"木片", u8"炭化物", u8"軽石", u8"スコリア", u8"珊瑚", u8"貝殻", u8"化石"};
    int code = 10;
    for (auto* t : inclusions) k.Line(std::to_string(code++) + "," + U(t) + ",    ,    ,0,0");
  }
  WriteList(ridevi / "L1.txt", 20, 2, U(u8"工法"));
  WriteList(ridevi / "L2.txt", 20, 2, U(u8"機種"));
  WriteList(ridevi / "L3.txt", 20, 2, U(u8"孔"));
  for (const char* name : {"l10.txt", "L4.txt", "L13.txt", "L14.txt", "L15.txt", "L16.txt", "L18.txt", "L18b.txt",
                           "L19.txt"})
    WriteList(ridevi / name, entries, 2, U(u8"名称"));
  WriteList(ridevi / "L17.txt", entries, 3, U(u8"名称"));
  WriteList(ridevi / "L23.txt", entries, 2, U(u8"区分"));
  WriteList(ridevi / "L100.txt", entries < 100 ? entries : 100, 2, U(u8"模様"));
  WriteList(lists / "L8.txt", entries < 100 ? entries : 100, 3, U(u8"分類"));
  WriteList(lists / "L9.txt", 15, 2, "");
  std::string ridevi_path = fs::absolute(ridevi).string() + "/";
  std::string lists_path = fs::absolute(lists).string() + "/";
  Writer(system / "DodavoZ5.ini").Line("[RIDEVI]").Line(ridevi_path);
  Writer(system / "Ridevi.ini").Line("[LISTS]").Line(lists_path);
}
