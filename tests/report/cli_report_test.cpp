// corvane-cli's PDF reading and chart pictures, checked with poppler's pdfinfo and
// pdftotext and with Qt's SVG renderer and image reader.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "app/birth_sweep.h"
#include "app/chart_calculation.h"
#include "app/page_texts.h"
#include "report/page_geometry.h"
#include "report/report_writer.h"
#include "tests/app/cli_runner.h"
#include "tests/app/sample_birth.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::kDelhi;
using testing::Quote;
using testing::Replaced;
using testing::Slurp;
using testing::With;

std::string Output(const std::string& command) {
  std::string out;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  ::pclose(pipe);
  return out;
}

// pdfinfo's "Key: value" lines.
std::string Info(const fs::path& pdf, const std::string& key) {
  const std::string info = Output("pdfinfo " + Quote(pdf.string()) + " 2>/dev/null");
  const std::regex line(key + ":\\s+([^\\n]*)");
  std::smatch m;
  return std::regex_search(info, m, line) ? m[1].str() : std::string();
}

// The text of every page, blanks and line ends folded to single spaces.
std::vector<std::string> PageTexts(const fs::path& pdf) {
  const std::string text = Output("pdftotext -enc UTF-8 " + Quote(pdf.string()) + " - 2>/dev/null");
  std::vector<std::string> pages;
  std::string page;
  for (const char c : text + "\f") {
    if (c == '\f') {
      pages.push_back(std::regex_replace(page, std::regex("\\s+"), " "));
      page.clear();
    } else {
      page.push_back(c);
    }
  }
  if (!pages.empty() && pages.back().find_first_not_of(' ') == std::string::npos) pages.pop_back();
  return pages;
}

std::string Folded(const std::string& text) { return std::regex_replace(text, std::regex("\\s+"), " "); }

class CliReportTest : public testing::CliTest {
 protected:
  fs::path Out(const std::string& name) {
    fs::create_directories(dir_ / "out");
    return dir_ / "out" / name;
  }
  std::vector<std::string> OutNames() {
    std::vector<std::string> names;
    if (!fs::exists(dir_ / "out")) return names;
    for (const auto& entry : fs::directory_iterator(dir_ / "out")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// The PDF of the sample: as many pages as its footers count, every lagna section, the
// name, the topic texts of the Ascendant's sign, and the Arudha section running over a
// page boundary.
TEST_F(CliReportTest, PdfHoldsTheWholeReading) {
  const fs::path pdf = Out("reading.pdf");
  const CliRun run = Cli(With(kDelhi, {"--json", "--pages", "--pdf", pdf.string(), "--paper", "a4"}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  const auto chart = nlohmann::json::parse(run.out);

  // Every font is embedded: pdffonts lists name, type, encoding, then "yes" under emb.
  const std::string fonts = Output("pdffonts " + Quote(pdf.string()) + " 2>/dev/null");
  const std::regex font("\\n(\\S+) +.*? +(yes|no) +(yes|no) +(yes|no) +\\d+ +\\d+");
  int fontCount = 0;
  for (auto it = std::sregex_iterator(fonts.begin(), fonts.end(), font); it != std::sregex_iterator(); ++it, ++fontCount)
    EXPECT_EQ((*it)[2].str(), "yes") << (*it)[1];
  EXPECT_GE(fontCount, 2) << fonts;
  EXPECT_NE(fonts.find("DejaVuSans"), std::string::npos) << fonts;

  const int pages = std::stoi(Info(pdf, "Pages"));
  EXPECT_NE(Info(pdf, "Page size").find("(A4)"), std::string::npos);
  const std::vector<std::string> texts = PageTexts(pdf);
  ASSERT_EQ(static_cast<int>(texts.size()), pages);
  EXPECT_GE(pages, 14);  // the front and one section per lagna at least
  for (int page = 0; page < pages; ++page) {
    const std::string footer = "page " + std::to_string(page + 1) + " of " + std::to_string(pages);
    EXPECT_NE(texts[page].find(footer), std::string::npos) << footer;
    EXPECT_NE(texts[page].find("RAM KUMAR born 5 June 1975, 07:05"), std::string::npos) << page;
  }

  std::string all;
  for (const std::string& text : texts) all += text + " ";
  for (const LagnaPageText& lagna : kLagnaPageTexts) {
    EXPECT_NE(all.find(std::string(lagna.caption)), std::string::npos) << lagna.caption;
    EXPECT_NE(all.find(std::string(lagna.listCaption.substr(0, lagna.listCaption.find_last_not_of(' ') + 1))),
              std::string::npos) << lagna.listCaption;
  }
  const auto& ascendant = chart["pages"]["Ascendant"];
  EXPECT_EQ(chart["lagnas"]["Ascendant"]["sign"], 2);  // Gemini
  for (const char* topic : {"looks", "nature", "career_and_finance", "love_and_domestic_life", "health"})
    EXPECT_NE(all.find(Folded(ascendant[topic].get<std::string>())), std::string::npos) << topic;

  // The Arudha section starts on one page and its reading ends on a later one, with no
  // other section between.
  int arudhaPage = -1, lastRunPage = -1;
  const std::string lastRun = Folded(chart["pages"]["AL"]["reading"].back()["text"].get<std::string>());
  for (int page = 0; page < pages; ++page) {
    if (texts[page].find("More About Arudha Lagna") != std::string::npos) arudhaPage = page;
    if (arudhaPage >= 0 && lastRunPage < 0 && texts[page].find(lastRun.substr(0, lastRun.size() - 1)) != std::string::npos)
      lastRunPage = page;
  }
  ASSERT_GE(arudhaPage, 0);
  ASSERT_GT(lastRunPage, arudhaPage) << "the Arudha section fits one page";
  for (int page = arudhaPage + 1; page <= lastRunPage; ++page)
    EXPECT_EQ(texts[page].find("More About"), std::string::npos) << page;
}

// No word stands across the body's top or bottom edge: a line is never cut by a page break.
TEST_F(CliReportTest, NoTextIsCutAtAPageBreak) {
  for (const char* paper : {"a4", "letter"}) {
    const fs::path pdf = Out(std::string(paper) + ".pdf");
    ASSERT_EQ(Cli(With(kDelhi, {"--pdf", pdf.string(), "--paper", paper})).status, 0);
    const std::string boxes = Output("pdftotext -bbox " + Quote(pdf.string()) + " - 2>/dev/null");
    const std::regex pageTag("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">");
    const std::regex wordTag("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>");
    std::smatch page;
    ASSERT_TRUE(std::regex_search(boxes, page, pageTag));
    const double height = std::stod(page[2].str());
    const double margin = kPageMarginMm / 25.4 * 72;
    const double bodyTop = margin + kHeaderBandPt, bodyBottom = height - margin - kFooterBandPt;
    int words = 0;
    for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), wordTag); it != std::sregex_iterator(); ++it) {
      const double top = std::stod((*it)[2].str()), bottom = std::stod((*it)[4].str());
      EXPECT_FALSE(top < bodyTop && bottom > bodyTop + 0.5) << paper << ": " << (*it)[5] << " at " << top;
      EXPECT_FALSE(top < bodyBottom - 0.5 && bottom > bodyBottom) << paper << ": " << (*it)[5] << " at " << top;
      EXPECT_GE(top, margin - 1);
      EXPECT_LE(bottom, height - margin + 1);
      ++words;
    }
    EXPECT_GT(words, 3000) << paper;
  }
}

TEST_F(CliReportTest, PaperFollowsTheOption) {
  struct Case {
    const char* option;
    const char* size;
  };
  for (const Case c : {Case{"letter", "612 x 792 pts (letter)"}, Case{"a4", "595 x 842 pts (A4)"}}) {
    const fs::path pdf = Out(std::string(c.option) + ".pdf");
    ASSERT_EQ(Cli(With(kDelhi, {"--pdf", pdf.string(), "--paper", c.option})).status, 0);
    EXPECT_EQ(Info(pdf, "Page size"), c.size);
  }
}

// The SVG holds one rectangle per sign box, the boxes tiling the outer ring of a four by
// four square, and the chart's texts; Qt's renderer reads it.
TEST_F(CliReportTest, SvgHasTwelveSignBoxes) {
  const fs::path svg = Out("chart.svg");
  ASSERT_EQ(Cli(With(kDelhi, {"--svg", svg.string()})).status, 0);
  const std::string text = Slurp(svg);
  QSvgRenderer renderer(QByteArray::fromStdString(text));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 800, 800));

  const std::regex rect("<rect [^>]*x=\"([0-9.]+)\" y=\"([0-9.]+)\" width=\"([0-9.]+)\" height=\"([0-9.]+)\"");
  std::set<std::pair<int, int>> cells;
  int rects = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), rect); it != std::sregex_iterator(); ++it, ++rects) {
    const double w = std::stod((*it)[3].str()), h = std::stod((*it)[4].str());
    EXPECT_NEAR(w, h, 0.5);
    cells.emplace(static_cast<int>(std::lround(std::stod((*it)[2].str()) / h)),
                  static_cast<int>(std::lround(std::stod((*it)[1].str()) / w)));
  }
  EXPECT_EQ(rects, 12);
  EXPECT_EQ(QString::fromStdString(text).count(QStringLiteral("<rect")), 12);
  std::set<std::pair<int, int>> ring;
  for (int i = 0; i < 4; ++i) ring.insert({{0, i}, {3, i}, {i, 0}, {i, 3}});
  EXPECT_EQ(cells, ring);
  for (const char* entry : {"Saturn", "Mercury (R)", "PpL", "SrL", "RAM KUMAR", "Vedic Special Lagnas Chart"})
    EXPECT_NE(text.find(entry), std::string::npos) << entry;
}

TEST_F(CliReportTest, PngHasTheAskedSize) {
  struct Case {
    std::vector<std::string> size;
    int pixels;
  };
  for (const Case& c : {Case{{}, 800}, Case{{"--size", "300"}, 300}, Case{{"--size", "1500"}, 1500}}) {
    const fs::path png = Out("chart" + std::to_string(c.pixels) + ".png");
    std::vector<std::string> args = With(kDelhi, {"--png", png.string()});
    args.insert(args.end(), c.size.begin(), c.size.end());
    ASSERT_EQ(Cli(args).status, 0);
    const QImage image(QString::fromStdString(png.string()));
    EXPECT_EQ(image.size(), QSize(c.pixels, c.pixels));
    EXPECT_EQ(image.pixelColor(c.pixels / 2, c.pixels / 2), QColor(Qt::white));  // the centre's background
  }
}

// A file that cannot be written: status 73, a message naming it, nothing left behind and
// an older file of that name untouched.
TEST_F(CliReportTest, UnwritablePathGivesStatus73AndLeavesNothing) {
  fs::create_directories(Out("taken.pdf"));  // a folder where the file would go
  std::ofstream(Out("old.svg")) << "older picture";
  const std::vector<std::string> before = OutNames();
  struct Case {
    const char* option;
    fs::path path;
  };
  for (const Case& c : {Case{"--pdf", Out("missing") / "r.pdf"}, Case{"--pdf", Out("taken.pdf")},
                        Case{"--png", Out("old.svg") / "x.png"}, Case{"--svg", Out("missing") / "c.svg"}}) {
    const CliRun run = Cli(With(kDelhi, {c.option, c.path.string()}));
    EXPECT_EQ(run.status, 73) << c.path;
    EXPECT_NE(run.err.find(c.path.string()), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_EQ(OutNames(), before);
  EXPECT_EQ(Slurp(Out("old.svg")), "older picture");
}

// A birth the form refuses, or one on a date without sunrise: the refusal's message and
// status, and no file.
TEST_F(CliReportTest, RefusedBirthWritesNoFile) {
  const fs::path pdf = Out("refused.pdf");
  const CliRun refused = Cli(Replaced(With(kDelhi, {"--pdf", pdf.string()}), "--lon", "180:00E"));
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("Please Enter Value Between 0 And 179 in the Degree of Longitude"), std::string::npos);
  const CliRun polar =
      Cli(Replaced(Replaced(With(kDelhi, {"--pdf", pdf.string(), "--png", Out("p.png").string()}), "--lat", "89:00N"),
                   "--date", "1975-06-21"));
  EXPECT_EQ(polar.status, 3);
  EXPECT_NE(polar.err.find("1975"), std::string::npos);
  EXPECT_TRUE(OutNames().empty());
}

TEST_F(CliReportTest, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      With(kDelhi, {"--size", "300"}),                      // --size without --png
      With(kDelhi, {"--png", "x.png", "--size", "20"}),     // too small
      With(kDelhi, {"--png", "x.png", "--size", "3e2"}),    // not a number
      With(kDelhi, {"--pdf", "x.pdf", "--paper", "legal"}),
      With(kDelhi, {"--pdf-dir", "."}),                     // --pdf-dir without --batch
      {"--batch", "-", "--pdf", "x.pdf"},
      {"--batch", "-", "--json"},
  };
  for (const auto& args : cases) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 64) << args[args.size() - 2] << " " << args.back();
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_FALSE(fs::exists("x.pdf") || fs::exists("x.png"));
}

// --batch with --pdf-dir: one PDF per chart named from the name and the birth date, a
// taken name counted up, a refused row reported as before.
TEST_F(CliReportTest, BatchWritesOnePdfPerChart) {
  const std::string csv =
      "name,date,time,zone,dst,lon,lat,city,state,country\n"
      "anjali rao,1975-06-05,07:05,34,0,77:13E,28:36N,New Delhi,Delhi,India\n"
      "bad,1975-06-05,07:05,34,0,180:00E,28:36N\n"
      "anjali rao,1975-06-05,19:40,34,0,77:13E,28:36N\n"
      "sita,1980-01-31,23:59:59,29,1,0:07W,51:30N,\"London, City\"\n";
  fs::create_directories(Out("charts"));
  std::ofstream(Out("charts") / "SITA_1980-01-31.pdf") << "an earlier file";
  const CliRun run = Cli({"--batch", "-", "--pdf-dir", Out("charts").string(), "--paper", "letter"}, csv);
  EXPECT_EQ(run.status, 2);  // a row was refused
  const std::string folder = Out("charts").string();
  EXPECT_EQ(run.out, folder + "/ANJALI_RAO_1975-06-05.pdf\n"
                     "{\"line\":3,\"error\":\"lon: Please Enter Value Between 0 And 179 in the Degree of Longitude\"}\n" +
                     folder + "/ANJALI_RAO_1975-06-05_2.pdf\n" + folder + "/SITA_1980-01-31_2.pdf\n");
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(Out("charts"))) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"ANJALI_RAO_1975-06-05.pdf", "ANJALI_RAO_1975-06-05_2.pdf",
                                          "SITA_1980-01-31.pdf", "SITA_1980-01-31_2.pdf"}));
  EXPECT_EQ(Slurp(Out("charts") / "SITA_1980-01-31.pdf"), "an earlier file");
  EXPECT_NE(Info(Out("charts") / "ANJALI_RAO_1975-06-05_2.pdf", "Page size").find("letter"), std::string::npos);
  const std::vector<std::string> later = PageTexts(Out("charts") / "ANJALI_RAO_1975-06-05_2.pdf");
  ASSERT_FALSE(later.empty());
  EXPECT_NE(later[0].find("19:40"), std::string::npos);  // the second chart, not a copy of the first

  // A missing last folder is made; one whose parent is missing too is not.
  const CliRun missing = Cli({"--batch", "-", "--pdf-dir", (Out("nowhere") / "deeper").string()}, csv);
  EXPECT_EQ(missing.status, 73);
  EXPECT_NE(missing.err.find("nowhere"), std::string::npos);
  EXPECT_TRUE(missing.out.empty());
}

// A doubled hour's chart names the clock it was computed on, in print: Berlin's clocks went
// back from 03:00 CEST (UTC+2) to 02:00 CET (UTC+1) on 31 October 2021, so 02:30:15 happened
// twice. Each reading prints its own offset and never the other's, with the seconds of the
// birth time, and the two readings are an hour apart in the sky: their Ascendants differ.
TEST_F(CliReportTest, PdfOfADoubledHourNamesTheOffsetUsed) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
  struct Case {
    const char *fold, *clock, *other;
  };
  std::map<std::string, std::string> ascendants;
  for (const Case& c : {Case{"earlier", "Europe/Berlin, CEST, UTC+2:00 (earlier of the doubled hour)", "UTC+1:00"},
                        Case{"later", "Europe/Berlin, CET, UTC+1:00 (later of the doubled hour)", "UTC+2:00"}}) {
    SCOPED_TRACE(c.fold);
    const fs::path pdf = Out(std::string(c.fold) + ".pdf");
    const CliRun run = Cli({"--name", "zoë müller", "--date", "2021-10-31", "--time", "02:30:15", "--tz", "Europe/Berlin",
                            "--fold", c.fold, "--lon", "11:35E", "--lat", "48:08N", "--city", "München", "--json",
                            "--pdf", pdf.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> texts = PageTexts(pdf);
    ASSERT_FALSE(texts.empty());
    const std::string& front = texts[0];
    EXPECT_NE(front.find(c.clock), std::string::npos) << front;
    EXPECT_NE(front.find("02:30:15"), std::string::npos) << front;
    std::string all;
    for (const std::string& text : texts) all += text + " ";
    EXPECT_EQ(all.find(c.other), std::string::npos) << "names the other reading's offset";
    EXPECT_EQ(all.find("Central European Daylight"), std::string::npos) << "names a zone row that was not used";
    const auto chart = nlohmann::json::parse(run.out);
    ascendants[c.fold] = chart["lagnas"]["Ascendant"].dump();
  }
  EXPECT_NE(ascendants["earlier"], ascendants["later"]);
}

// --sweep N sets the sweep page of the PDF: its window, its summary and each lagna's stretches
// as the JSON gives them; --sweep-svg and --sweep-png draw the timeline alone.
TEST_F(CliReportTest, SweepPageAndPictures) {
  const fs::path pdf = Out("reading.pdf"), svg = Out("sweep.svg"), png = Out("sweep.png");
  const CliRun run = Cli(With(kDelhi, {"--json", "--sweep", "20", "--pdf", pdf.string(), "--sweep-svg", svg.string(),
                                       "--sweep-png", png.string()}));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto sweep = nlohmann::json::parse(run.out)["sweep"];
  const std::vector<std::string> texts = PageTexts(pdf);
  ASSERT_FALSE(texts.empty());
  const std::string& last = texts.back();
  EXPECT_NE(last.find("Birth-Time Sweep"), std::string::npos) << last;
  EXPECT_NE(last.find("Within \u00b120 min:"), std::string::npos) << last;
  const char* const kSigns[] = {"Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
                                "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
  for (const char* key : {"HL", "GL", "VL", "Ascendant"}) {
    for (const auto& interval : sweep["lagnas"][key]) {
      const std::string stretch = interval["from"].get<std::string>().substr(11) + "\u2013" +
                                  interval["to"].get<std::string>().substr(11) + " " + kSigns[interval["sign"].get<int>()];
      EXPECT_NE(Folded(last).find(stretch), std::string::npos) << stretch;
    }
  }
  QSvgRenderer renderer(QByteArray::fromStdString(Slurp(svg)));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 1000, 440));
  EXPECT_NE(Slurp(svg).find("Ascendant"), std::string::npos);
  const QImage image(QString::fromStdString(png.string()));
  EXPECT_EQ(image.size(), QSize(1400, 616));
  // Without --sweep the page covers 30 minutes either side.
  const fs::path plain = Out("plain.pdf");
  ASSERT_EQ(Cli(With(kDelhi, {"--pdf", plain.string()})).status, 0);
  EXPECT_NE(PageTexts(plain).back().find("Within \u00b130 min:"), std::string::npos);
}

// The printed reading draws the sweep it is handed and computes none of its own: a sweep of 7
// minutes handed in is the one on its last page (not the usual 30), and a reading handed no
// sweep has no sweep section at all.
TEST_F(CliReportTest, PrintedReadingDrawsTheSweepItIsHanded) {
  const CalculationResult result = CalculateChart(testing::DelhiBirth());
  ASSERT_TRUE(result.ok());
  const Chart& chart = result.chart();
  const BirthSweep handed = SweepOfChart(chart, 7);
  ReportOptions options;
  options.paper = PaperSize::kA4;
  options.sweep = &handed;
  const fs::path with = Out("with.pdf"), without = Out("without.pdf");
  const QByteArray withBytes = ReportPdfBytes(chart, PageFieldsOf(chart), options);
  options.sweep = nullptr;
  const QByteArray withoutBytes = ReportPdfBytes(chart, PageFieldsOf(chart), options);
  ASSERT_FALSE(withBytes.isEmpty());
  ASSERT_FALSE(withoutBytes.isEmpty());
  std::ofstream(with, std::ios::binary).write(withBytes.constData(), withBytes.size());
  std::ofstream(without, std::ios::binary).write(withoutBytes.constData(), withoutBytes.size());
  const std::vector<std::string> swept = PageTexts(with), plain = PageTexts(without);
  ASSERT_FALSE(swept.empty());
  EXPECT_NE(swept.back().find("Within \u00b17 min:"), std::string::npos) << swept.back();
  EXPECT_EQ(swept.back().find("Within \u00b130 min:"), std::string::npos);
  for (const std::string& page : plain) EXPECT_EQ(page.find("Birth-Time Sweep"), std::string::npos) << page;
  EXPECT_GT(swept.size(), plain.size());
}

// A batch row's sweep_minutes is the sweep its PDF prints (the one computed with the row's
// chart); a row without one prints the usual 30 minutes either side.
TEST_F(CliReportTest, BatchPdfPrintsTheRowsOwnSweep) {
  const std::string csv =
      "name,date,time,zone,dst,lon,lat,sweep_minutes\n"
      "asha,1975-06-05,07:05,34,0,77:13E,28:36N,12\n"
      "bela,1975-06-05,07:05,34,0,77:13E,28:36N,\n";
  const CliRun run = Cli({"--batch", "-", "--pdf-dir", Out("swept").string()}, csv);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> asha = PageTexts(Out("swept") / "ASHA_1975-06-05.pdf");
  const std::vector<std::string> bela = PageTexts(Out("swept") / "BELA_1975-06-05.pdf");
  ASSERT_FALSE(asha.empty());
  ASSERT_FALSE(bela.empty());
  EXPECT_NE(asha.back().find("Within \u00b112 min:"), std::string::npos) << asha.back();
  EXPECT_NE(bela.back().find("Within \u00b130 min:"), std::string::npos) << bela.back();
}

}  // namespace
}  // namespace corvane
