// The window scenarios: each suite runs in turn in one application; the exit status counts the
// failed tests of all of them.

#include <QApplication>

namespace tulo::guitest {
int RunStartupTests(int argc, char** argv);
int RunMainWindowTests(int argc, char** argv);
int RunDialogTests(int argc, char** argv);
int RunHelpWindowTests(int argc, char** argv);
int RunTablesWindowTests(int argc, char** argv);
int RunDiagramWindowTests(int argc, char** argv);
int RunProcessChartTests(int argc, char** argv);
int RunStateListWindowTests(int argc, char** argv);
}  // namespace tulo::guitest

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  int failed = 0;
  failed += tulo::guitest::RunStartupTests(argc, argv);
  failed += tulo::guitest::RunMainWindowTests(argc, argv);
  failed += tulo::guitest::RunDialogTests(argc, argv);
  failed += tulo::guitest::RunHelpWindowTests(argc, argv);
  failed += tulo::guitest::RunTablesWindowTests(argc, argv);
  failed += tulo::guitest::RunDiagramWindowTests(argc, argv);
  failed += tulo::guitest::RunProcessChartTests(argc, argv);
  failed += tulo::guitest::RunStateListWindowTests(argc, argv);
  return failed;
}
