// The window on the offscreen platform with the firm of real size
// (testing/firm.h, 20,000 employment records): choosing the company until
// the grid shows it (load, model reset, column sizing, first row), and one
// keystroke of the name filter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/mainwindow.h"
#include "archive/archivestate.h"
#include "archive/yearlayouts.h"
#include "base/memory.h"
#include "testing/firm.h"

using namespace dosber;

namespace {

// Says failures on standard error and asks nothing.
class quiet : public desktop {
 public:
  void info(QWidget*, const QString&) override {}
  void warning(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void error(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  bool offer(QWidget*, const QString&, const QString&) override { return false; }
  QString choosefolder(QWidget*, const QString&, const QString&) override { return {}; }
  QString savefilename(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  bool openpdf(const QString&, bool) override { return true; }
  bool openfolder(const QString&) override { return true; }
};

struct window {
  std::string root;
  archivestate state;
  quiet quietdesktop;
  std::unique_ptr<TForm1> form;
  window() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-bench-window-XXXXXX").string();
    root = ::mkdtemp(tmpl.data());
    setenv("DOSBER_ROOT", (root + "/root").c_str(), 1);
    testing::writefirm(root + "/archive", *yearfor(5));
    form = std::make_unique<TForm1>(state, quietdesktop, QStringList{QString::fromStdString(root + "/archive")});
    form->show();
    QApplication::processEvents();
    form->ComboBox1->setCurrentIndex(form->ComboBox1->findText("ber05"));
    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText("ceg"));
  }
  ~window() {
    form.reset();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

window& data() {
  static window w;
  return w;
}

void companyintogrid(benchmark::State& s) {
  TForm1& w = *data().form;
  for (auto _ : s) {
    w.ComboBox2Change();
    QApplication::processEvents();
    benchmark::DoNotOptimize(w.DBGrid1->model()->rowCount());
  }
  s.counters["rows"] = w.DBGrid1->model()->rowCount();
}
BENCHMARK(companyintogrid)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Typing "kovács" and deleting it again, a keystroke an iteration.
void filterkeystroke(benchmark::State& s) {
  TForm1& w = *data().form;
  const QString word = QString::fromUtf8("kovács");
  int step = 0;
  for (auto _ : s) {
    int n = step % 12 < 6 ? step % 12 + 1 : 12 - step % 12 - 1;
    w.Edit1->setText(word.left(n));  // runs Edit1Change
    QApplication::processEvents();
    ++step;
  }
  s.counters["rows"] = w.DBGrid1->model()->rowCount();
}
BENCHMARK(filterkeystroke)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  usehugepageheap();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
