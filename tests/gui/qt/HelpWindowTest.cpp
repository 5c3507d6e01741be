// The help window: F1 on each page of the main window, in the Tables and in the Diagrams window
// opens that page's help and Help > Contents the start page; every page of the contents loads, starts with its contents title and links
// only to pages of the contents; Back and Forward retrace the pages; the search finds a page by
// a word that only it holds; the standards page carries the accuracy table or says how to make it.

#include <QFile>
#include <QListWidget>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "GuiTestSupport.h"
#include "gui/DiagramWindow.h"
#include "gui/HelpWindow.h"
#include "gui/StateListWindow.h"
#include "gui/TablesWindow.h"

namespace tulo::guitest {
namespace {

// The targets of every link in the document shown.
QStringList LinkTargets(const QTextDocument& doc) {
  QStringList targets;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isAnchor()) targets << it.fragment().charFormat().anchorHref();
  return targets;
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void F1OpensTheHelpOfThePageInFront() {
    Running run;
    QVERIFY(run.Ok());
    run.platform.realHelp = true;
    struct Case {
      int page;
      QString file, heading;
    };
    const std::vector<Case> cases = {
        {kVariableResultsPage, "properties.md", "Properties and where they are valid"},
        {kFixedPropertiesPage, "fixed-properties.md", "Fixed properties"},
        {kSteamSearchPage, "steam-search.md", "Steam search"},
        {kWetSteamPage, "wet-steam.md", "Wet steam"},
    };
    for (const Case& c : cases) {
      QVERIFY(ShowActive(*run.main));  // the help window took the focus the time before
      run.main->PageControl1->setCurrentIndex(c.page);
      QTest::keyClick(run.main.get(), Qt::Key_F1);
      gui::HelpWindow* help = run.platform.Help();
      QVERIFY(help != nullptr);
      QVERIFY(help->isVisible());
      QCOMPARE(help->CurrentPage(), c.file);
      QVERIFY2(help->Browser->toPlainText().startsWith(c.heading), qPrintable(c.file));
      QVERIFY(help->Contents->currentItem() != nullptr);
      QCOMPARE(help->Contents->currentItem()->text(), c.heading);
    }
    run.main->Contents1->trigger();
    QCOMPARE(run.platform.Help()->CurrentPage(), QString("index.md"));
    QVERIFY(run.platform.messages.empty());

    // The Tables, Diagrams and State List windows open their own pages.
    run.main->Tables1->trigger();
    run.main->OpenDiagram(DiagramKind::kTs);
    run.main->StateList1->trigger();
    const std::vector<std::pair<QWidget*, QString>> windows = {{run.main->Tables(), "tables.md"},
                                                               {run.main->Diagram(), "diagrams.md"},
                                                               {run.main->StateList(), "state-list.md"}};
    for (const auto& [window, file] : windows) {
      QVERIFY(window != nullptr);
      QVERIFY(ShowActive(*window));
      QTest::keyClick(window, Qt::Key_F1);
      QCOMPARE(run.platform.Help()->CurrentPage(), file);
    }
  }

  void EveryPageLoadsAndLinksOnlyToPages() {
    gui::HelpWindow help;
    QSet<QString> files;
    for (const gui::HelpPage& page : gui::HelpPages()) files.insert(page.file);
    QCOMPARE(help.Contents->count(), static_cast<int>(gui::HelpPages().size()));
    for (int row = 0; row < help.Contents->count(); ++row) {
      QListWidgetItem* item = help.Contents->item(row);
      help.Contents->setCurrentItem(item);
      const QString file = help.CurrentPage();
      QCOMPARE(file, item->data(Qt::UserRole).toString());
      const QString text = help.Browser->toPlainText();
      QVERIFY2(text.startsWith(item->text()), qPrintable(file));
      QVERIFY2(text.size() > 400, qPrintable(file));  // more than a heading and a line
      QVERIFY2(!text.contains("@ACCURACY_TABLE@"), qPrintable(file));
      for (const QString& target : LinkTargets(*help.Browser->document()))
        QVERIFY2(files.contains(target), qPrintable(file + " links to " + target));
    }
    // Back and Forward retrace the pages just opened.
    const int last = help.Contents->count() - 1;
    help.Back->trigger();
    QCOMPARE(help.CurrentPage(), help.Contents->item(last - 1)->data(Qt::UserRole).toString());
    QCOMPARE(help.Contents->currentRow(), last - 1);
    QVERIFY(help.Forward->isEnabled());
    help.Forward->trigger();
    QCOMPARE(help.Contents->currentRow(), last);
    QVERIFY(!help.Forward->isEnabled());
  }

  void SearchFindsThePagesHoldingEveryWord() {
    gui::HelpWindow help;
    struct Case {
      QString query;
      QStringList files;
    };
    const std::vector<Case> cases = {
        {"ProcessPoolExecutor", {"python.md"}},  // only in the process-pool example
        {"processpoolexecutor", {"python.md"}},
        {"Mollier", {"diagrams.md"}},
        {"Mollier ProcessPoolExecutor", {}},  // every word must be on the page
        {"zzqxv", {}},
        {"   ", {}},
    };
    for (const Case& c : cases) QCOMPARE(help.Search(c.query), c.files);
    // A word on many pages lists each of them once.
    const QStringList kelvin = help.Search("kelvin");
    QVERIFY(kelvin.size() > 3);
    QCOMPARE(QSet<QString>(kelvin.begin(), kelvin.end()).size(), kelvin.size());

    // As the user searches: type, pick the result, land on the word.
    help.Navigation->setCurrentIndex(1);
    QTest::keyClicks(help.SearchField, "mollier");
    QCOMPARE(help.SearchResults->count(), 1);
    QCOMPARE(help.SearchResults->item(0)->text(), QString("Diagrams"));
    QCOMPARE(help.SearchCount->text(), QString("1 page"));
    help.SearchResults->setCurrentRow(0);
    QCOMPARE(help.CurrentPage(), QString("diagrams.md"));
    QCOMPARE(help.Browser->textCursor().selectedText().toLower(), QString("mollier"));
  }

  void StandardsPageShowsTheAccuracyTableOrHowToMakeIt() {
    gui::HelpWindow help;
    QVERIFY(help.ShowPage("standards.md"));
    const QString page = help.Browser->toPlainText();
    QFile accuracy(TULO_ACCURACY_FILE);
    if (accuracy.open(QIODevice::ReadOnly)) {
      QTextDocument table;
      table.setMarkdown(QString::fromUtf8(accuracy.readAll()));
      QVERIFY(page.contains(table.toPlainText().trimmed()));
    } else {
      QVERIFY(page.contains("scripts/accuracy.sh"));
      QVERIFY(page.contains("docs/accuracy.md"));
    }
  }
};

int RunHelpWindowTests(int argc, char** argv) {
  HelpWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace tulo::guitest

#include "HelpWindowTest.moc"
