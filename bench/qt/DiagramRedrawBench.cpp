// The diagram window's speed: after a key is typed, the main form's handler, the mark moved and
// the chart painted again (one frame is 16 ms); after a change of standard, the lines built again
// and painted (200 ms at most). Runs on Qt's "offscreen" platform unless another is chosen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "gui/DiagramChart.h"
#include "gui/DiagramWindow.h"
#include "results/IapwsSet.h"

namespace {

using namespace tulo;

class QuietPlatform final : public PlatformServices {
 public:
  void ShowMessage(const std::string&) override {}
  Answer Confirm(const std::string&, bool) override { return Answer::kNo; }
  void ShowError(const std::string&, const std::string&) override {}
  void Beep() override {}
  void SetClipboardText(const std::string&) override {}
  bool OpenHelp(const std::string&, int) override { return false; }
  bool StartMail(const std::string&) override { return false; }
  bool OpenWebPage(const std::string&) override { return false; }
};

// A main form and a shown diagram window following it, as the desktop program wires them.
struct Desk {
  explicit Desk(DiagramKind kind) {
    form.InitialiseWithoutFile();
    form.onChanged = [this] { window.FollowForm(); };
    window.resize(900, 720);
    window.Open(kind);
    QApplication::processEvents();
  }
  QuietPlatform platform;
  MainForm form{platform};
  gui::DiagramWindow window{form, [](const std::function<void()>& handler) { handler(); }};
};

const char* const kTemperatures[] = {"773.15", "774.15", "775.15", "776.15"};

// A key typed: the form's handler runs, the mark moves, the chart's viewport is painted.
void BM_TypeAndRedraw(benchmark::State& state, DiagramKind kind, bool iapws) {
  Desk desk(kind);
  if (iapws) desk.form.SelectCorrelationSet(IapwsCorrelations());
  desk.form.WriteField(Field::kPressure, "4000");
  const int builds = desk.window.Builds();
  std::size_t i = 0;
  for (auto _ : state) {
    desk.form.WriteField(Field::kTemperature, kTemperatures[++i % 4]);
    desk.window.View->viewport()->repaint();
  }
  if (desk.window.Builds() != builds) state.SkipWithError("the lines were built again");
}

// The same without the form: moving the mark and painting alone.
void BM_MoveMarkAndRedraw(benchmark::State& state, DiagramKind kind) {
  Desk desk(kind);
  desk.form.WriteField(Field::kTemperature, "773.15");
  desk.form.WriteField(Field::kPressure, "4000");
  const DiagramPoint at = desk.window.Chart->Marker().value_or(DiagramPoint{});
  std::size_t i = 0;
  for (auto _ : state) {
    desk.window.Chart->SetMarker(DiagramPoint{at.x + 0.01 * static_cast<double>(++i % 8), at.y});
    desk.window.View->viewport()->repaint();
  }
}

// The standard changed: every line built again and the chart painted.
void BM_ChangeStandardAndRedraw(benchmark::State& state, DiagramKind kind) {
  Desk desk(kind);
  desk.form.WriteField(Field::kTemperature, "773.15");
  bool iapws = false;
  for (auto _ : state) {
    iapws = !iapws;
    desk.form.SelectCorrelationSet(iapws ? IapwsCorrelations() : BuiltInCorrelations());
    desk.window.View->viewport()->repaint();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::pair<const char*, DiagramKind> kinds[] = {
      {"ts", DiagramKind::kTs}, {"hs", DiagramKind::kHs}, {"ph", DiagramKind::kPh}, {"pt", DiagramKind::kPt}};
  for (auto [name, kind] : kinds) {
    benchmark::RegisterBenchmark((std::string("BM_TypeAndRedraw/") + name + "_builtin").c_str(),
                                 BM_TypeAndRedraw, kind, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_TypeAndRedraw/") + name + "_iapws").c_str(),
                                 BM_TypeAndRedraw, kind, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_MoveMarkAndRedraw/") + name).c_str(), BM_MoveMarkAndRedraw,
                                 kind)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_ChangeStandardAndRedraw/") + name).c_str(),
                                 BM_ChangeStandardAndRedraw, kind)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
