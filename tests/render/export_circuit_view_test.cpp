// SPDX-License-Identifier: MIT
// The exporter drawing what the impedance fits found: the fitted circuit
// laid over the page, its parameters as columns of the report, and the
// Kramers–Kronig residual view.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <sstream>

#include "export_run.h"
#include "fernplot_test_data.h"
#include "impedance_samples.h"
#include "qt_page_drawer.h"

namespace fernplot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class ReportKeeper : public QtPageDrawer {
 public:
  WriteFileResult WriteReport(const std::vector<std::vector<std::string>>& table,
                              const std::vector<const DrawingDocument*>& pages,
                              const ReportLot* lot, const std::string& path,
                              InFlightFiles* inFlight) const override {
    tables.push_back(table);
    return QtPageDrawer::WriteReport(table, pages, lot, path, inFlight);
  }
  mutable std::vector<std::vector<std::vector<std::string>>> tables;
};

class ExportCircuitView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path().toStdString();
    mpt_ = root_ + "/cell.mpt";
    WriteBytes(mpt_, ImpedanceSampleText(ImpedanceLayout::kEcLab, BatterySpectrum()));
  }
  int Run(std::vector<std::string> args) {
    err_.str("");
    std::ostringstream out;
    return ExportMain(args, root_ + "/fernplot-export", out, err_, &drawer_);
  }
  QJsonObject Json(const std::string& path) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(ReadBytes(path))).object();
  }

  QTemporaryDir dir_;
  std::string root_, mpt_;
  std::ostringstream err_;
  ReportKeeper drawer_;
};

constexpr const char* kBattery = "R0-p(R1,C1)-p(R2-W1,C2)";

TEST_F(ExportCircuitView, TheFittedCircuitIsLaidOverThePageAndListedInTheReport) {
  ASSERT_EQ(Run({"-o", root_ + "/o", "-f", "drawing", "--circuit", kBattery, "--circuit-overlay",
                 "--report", root_ + "/r.pdf", mpt_}),
            kExitOk)
      << err_.str();
  const QJsonArray traces = Json(root_ + "/o/cell.drawing.json")["traces"].toArray();
  ASSERT_EQ(traces.size(), 2);
  EXPECT_EQ(traces[1].toObject()["name"].toString().toStdString(), kBattery);
  // The same drawing in the complex plane, its legend the circuit.
  ASSERT_EQ(Run({"-o", root_ + "/c", "-f", "drawing", "--view", "complex", "--circuit", kBattery,
                 "--circuit-overlay", mpt_}),
            kExitOk);
  EXPECT_NE(ReadBytes(root_ + "/c/cell.drawing.json").find(kBattery), std::string::npos);
  // Without the overlay the page is as it was.
  ASSERT_EQ(Run({"-o", root_ + "/p", "-f", "drawing", mpt_}), kExitOk);
  EXPECT_FALSE(Json(root_ + "/p/cell.drawing.json").contains("traces"));

  // The report: a column per parameter and the relative error; an
  // impedance has no ratio figures to fill the others with.
  ASSERT_EQ(drawer_.tables.size(), 1u);
  const auto& table = drawer_.tables.front();
  ASSERT_EQ(table.size(), 2u);
  const std::vector<std::string>& heading = table[0];
  const std::vector<std::string>& row = table[1];
  ASSERT_EQ(heading.size(), row.size());
  const std::vector<std::string> names(heading.end() - 7, heading.end());
  EXPECT_EQ(names, (std::vector<std::string>{"R0", "R1", "C1", "R2", "W1", "C2", "相対 RMS 誤差"}));
  EXPECT_EQ(row[row.size() - 7], "20.0 m\u03A9");
  EXPECT_EQ(row[row.size() - 5], "1.00 F");
  EXPECT_EQ(row[3], "");  // no low-frequency "gain" of ohms

  EXPECT_EQ(Run({"-f", "png", "--circuit-overlay", mpt_}), kExitUsage);
  EXPECT_NE(err_.str().find("--circuit-overlay needs --circuit"), std::string::npos);
}

// The residual view: Re and Im of (Z − Z_fit)/|Z| in % on two axes of one
// scale, the test's line as the title, the ±1 % lines.
TEST_F(ExportCircuitView, TheKramersKronigViewDrawsTheResidualsInPercent) {
  ASSERT_EQ(Run({"-o", root_ + "/k", "--factory", "-f", "drawing,kk,png", "--view", "kk", mpt_}),
            kExitOk)
      << err_.str();
  const std::string drawing = ReadBytes(root_ + "/k/cell.drawing.json");
  const QJsonObject axes = Json(root_ + "/k/cell.drawing.json")["axes"].toObject();
  EXPECT_TRUE(axes.contains("frequency") && axes.contains("residualReal") &&
              axes.contains("residualImag"));
  EXPECT_EQ(axes["residualReal"].toObject()["scale"], axes["residualImag"].toObject()["scale"]);
  EXPECT_EQ(axes["residualReal"].toObject()["origin"], axes["residualImag"].toObject()["origin"]);
  const QJsonObject kk = Json(root_ + "/k/cell.kk.json");
  const std::string title = "Kramers\u2013Kronig: M = " + std::to_string(kk["M"].toInt()) + ", ";
  EXPECT_NE(drawing.find(title), std::string::npos) << title;
  EXPECT_NE(drawing.find("Re RESIDUAL [%]"), std::string::npos);
  EXPECT_EQ(drawing.find("|Z| [\u03A9]"), std::string::npos);
  // A page of too few points to test is drawn empty, not refused.
  const std::string two = root_ + "/two.csv";
  WriteBytes(two, "frequency,Zre,Zim\n10,1,-1\n");
  EXPECT_EQ(Run({"-o", root_ + "/k", "-f", "png", "--view", "kk", two}), kExitOk) << err_.str();
  // A capacitor with its ESR and ESL passes: the chain takes its series
  // capacitance when the spectrum ends capacitive.
  std::string cap = "frequency,Zre,Zim\n";
  for (int k = 0; k <= 40; ++k) {
    const double f = std::pow(10.0, 2.0 + k / 8.0), w = 2.0 * 3.141592653589793 * f;
    cap += std::to_string(f) + ",0.02," + std::to_string(w * 5e-9 - 1.0 / (w * 10e-6)) + "\n";
  }
  WriteBytes(root_ + "/cap.csv", cap);
  ASSERT_EQ(Run({"-o", root_ + "/k", "-f", "drawing", "--view", "kk", root_ + "/cap.csv"}),
            kExitOk);
  const std::string capDrawing = ReadBytes(root_ + "/k/cap.drawing.json");
  const size_t within = capDrawing.find("residuals within ");
  ASSERT_NE(within, std::string::npos);
  EXPECT_LT(std::stod(capDrawing.substr(within + 17)), 0.1) << capDrawing.substr(within, 40);
  // The settings word, as any view's.
  const std::string cfg = root_ + "/kk.CFG";
  WriteBytes(cfg, "VIEW = KK\r\n");
  ASSERT_EQ(Run({"-o", root_ + "/s", "-s", cfg, "-f", "drawing", mpt_}), kExitOk);
  EXPECT_EQ(ReadBytes(root_ + "/s/cell.drawing.json"), drawing);
}

}  // namespace
}  // namespace fernplot
