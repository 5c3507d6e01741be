#pragma once
// The help window: the pages of the user's guide, compiled into the program's resources (Markdown,
// under :/help), shown in a browser with a contents list, a full-text search and Back/Forward.
// The platform services open it at a help topic; each page of the main window has its own topic.

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace tulo {
class MainForm;
}

namespace tulo::gui {

// Help topic numbers. 125 is the main window's own topic (MainForm::kHelpTopic), which the Help >
// Contents command asks for; each page of the main window has the next numbers, in page order,
// then the Tables, the Diagrams and the State List windows.
enum class HelpTopic : int {
  kContents = 125,
  kVariableResults = 126,
  kFixedProperties = 127,
  kSteamSearch = 128,
  kWetSteam = 129,
  kTables = 130,
  kDiagrams = 131,
  kStateList = 132,
};

// The topic of a page of the main window (the Page numbers of MainForm); kContents for any other.
HelpTopic PageHelpTopic(int page);

// Gives `window` an F1 key that opens `topic` through the form's platform, and the Help >
// Contents command's message when that cannot be shown.
void AddHelpKey(QWidget& window, MainForm& form, HelpTopic topic);

struct HelpPage {
  const char* file;   // under :/help
  const char* title;  // the page's heading, as the contents list shows it
};

// Every page, in contents order; the first is the start page.
std::span<const HelpPage> HelpPages();

class HelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "TULO Help";

  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the window in front at the page of `topic`; a topic without a page of its own opens
  // the start page. False when that page is missing from the resources or empty.
  bool ShowTopic(int topic);
  // Opens page `file` (a name from HelpPages()); false when it does not load.
  bool ShowPage(const QString& file);
  // The file name of the page shown, empty before the first.
  QString CurrentPage() const;

  // The pages whose text holds every word of `query` (case does not matter), most hits first;
  // empty for an empty query.
  QStringList Search(const QString& query) const;

  QTextBrowser* Browser;
  QTabWidget* Navigation;
  QListWidget* Contents;
  QLineEdit* SearchField;
  QListWidget* SearchResults;
  QLabel* SearchCount;
  QAction* Back;
  QAction* Forward;
  QAction* Home;

 private:
  struct IndexedPage {
    QString file;
    QString title;
    QString text;  // the rendered text, lower case: markup is not searched
  };

  void BuildIndex();
  void RunSearch();
  void OpenSearchResult();
  void FollowSource(const QUrl& source);

  std::vector<IndexedPage> index_;
};

}  // namespace tulo::gui
