#include "gui/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MainForm.h"
#include "gui/Artwork.h"

namespace tulo::gui {
namespace {

constexpr HelpPage kPages[] = {
    {"index.md", "Getting started"},
    {"inputs.md", "Inputs, phases and the phase condition"},
    {"properties.md", "Properties and where they are valid"},
    {"fixed-properties.md", "Fixed properties"},
    {"units.md", "Units and presets"},
    {"wet-steam.md", "Wet steam"},
    {"steam-search.md", "Steam search"},
    {"tables.md", "Tables"},
    {"diagrams.md", "Diagrams"},
    {"state-list.md", "State list"},
    {"processes.md", "Processes and the Rankine cycle"},
    {"standards.md", "The three standards and their accuracy"},
    {"tulo-calc.md", "tulo-calc"},
    {"python.md", "Python module and batch runs"},
    {"config-file.md", "The configuration file"},
};

struct TopicPage {
  HelpTopic topic;
  const char* file;
};

// The Variable Results page is read through the properties it lists.
constexpr TopicPage kTopicPages[] = {
    {HelpTopic::kContents, "index.md"},
    {HelpTopic::kVariableResults, "properties.md"},
    {HelpTopic::kFixedProperties, "fixed-properties.md"},
    {HelpTopic::kSteamSearch, "steam-search.md"},
    {HelpTopic::kWetSteam, "wet-steam.md"},
    {HelpTopic::kTables, "tables.md"},
    {HelpTopic::kDiagrams, "diagrams.md"},
    {HelpTopic::kStateList, "state-list.md"},
    {HelpTopic::kProcesses, "processes.md"},
};

const QString kResourceFolder = QStringLiteral(":/help/");

QUrl PageUrl(const QString& file) {
  return QUrl(QStringLiteral("qrc:/help/") + file);
}

QStringList QueryWords(const QString& query) {
  return query.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

HelpTopic PageHelpTopic(int page) {
  switch (page) {
    case kVariableResultsPage:
      return HelpTopic::kVariableResults;
    case kFixedPropertiesPage:
      return HelpTopic::kFixedProperties;
    case kSteamSearchPage:
      return HelpTopic::kSteamSearch;
    case kWetSteamPage:
      return HelpTopic::kWetSteam;
    default:
      return HelpTopic::kContents;
  }
}

void AddHelpKey(QWidget& window, MainForm& form, HelpTopic topic) {
  auto* key = new QAction("Help", &window);
  key->setObjectName("HelpKey");
  key->setShortcut(QKeySequence(Qt::Key_F1));
  key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(key, &QAction::triggered, &window, [&form, topic] {
    if (!form.platform().OpenHelp(MainForm::kHelpFile, static_cast<int>(topic))) form.Contents1Click();
  });
  window.addAction(key);
}

std::span<const HelpPage> HelpPages() {
  return kPages;
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("HelpWindow");
  setWindowTitle(kCaption);
  setWindowIcon(ProgramIcon());
  // Closing the main window ends the program even while the help is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  Browser = new QTextBrowser(this);
  Browser->setObjectName("Browser");
  Browser->setOpenExternalLinks(false);

  Contents = new QListWidget(this);
  Contents->setObjectName("Contents");
  for (const HelpPage& page : kPages) {
    auto* item = new QListWidgetItem(QString::fromUtf8(page.title), Contents);
    item->setData(Qt::UserRole, QString::fromUtf8(page.file));
  }

  auto* search = new QWidget(this);
  auto* searchLayout = new QVBoxLayout(search);
  SearchField = new QLineEdit(search);
  SearchField->setObjectName("SearchField");
  SearchField->setPlaceholderText("Words to find");
  SearchField->setClearButtonEnabled(true);
  SearchCount = new QLabel(search);
  SearchCount->setObjectName("SearchCount");
  SearchResults = new QListWidget(search);
  SearchResults->setObjectName("SearchResults");
  searchLayout->addWidget(SearchField);
  searchLayout->addWidget(SearchCount);
  searchLayout->addWidget(SearchResults, 1);

  Navigation = new QTabWidget(this);
  Navigation->setObjectName("Navigation");
  Navigation->addTab(Contents, "&Contents");
  Navigation->addTab(search, "&Search");

  auto* splitter = new QSplitter(this);
  splitter->addWidget(Navigation);
  splitter->addWidget(Browser);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 620});
  setCentralWidget(splitter);

  QToolBar* bar = addToolBar("Navigation");
  bar->setMovable(false);
  Back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), "&Back");
  Forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), "&Forward");
  Home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), "Start &page");
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  Back->setShortcut(QKeySequence::Back);
  Forward->setShortcut(QKeySequence::Forward);
  Home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
  Back->setEnabled(false);
  Forward->setEnabled(false);

  connect(Back, &QAction::triggered, Browser, &QTextBrowser::backward);
  connect(Forward, &QAction::triggered, Browser, &QTextBrowser::forward);
  connect(Home, &QAction::triggered, this, [this] { ShowPage(QString::fromUtf8(kPages[0].file)); });
  connect(Browser, &QTextBrowser::backwardAvailable, Back, &QAction::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, Forward, &QAction::setEnabled);
  connect(Browser, &QTextBrowser::sourceChanged, this, &HelpWindow::FollowSource);
  connect(Contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) ShowPage(item->data(Qt::UserRole).toString());
  });
  connect(SearchField, &QLineEdit::textChanged, this, &HelpWindow::RunSearch);
  connect(SearchResults, &QListWidget::currentItemChanged, this, &HelpWindow::OpenSearchResult);

  BuildIndex();
  resize(900, 640);
}

void HelpWindow::BuildIndex() {
  for (const HelpPage& page : kPages) {
    QString file = QString::fromUtf8(page.file);
    QFile source(kResourceFolder + file);
    QString text;
    if (source.open(QIODevice::ReadOnly)) {
      QTextDocument rendered;
      rendered.setMarkdown(QString::fromUtf8(source.readAll()));
      text = rendered.toPlainText().toLower();
    }
    index_.push_back({file, QString::fromUtf8(page.title), text});
  }
}

bool HelpWindow::ShowTopic(int topic) {
  const char* file = kPages[0].file;
  for (const TopicPage& entry : kTopicPages)
    if (static_cast<int>(entry.topic) == topic) file = entry.file;
  bool shown = ShowPage(QString::fromUtf8(file));
  show();
  raise();
  activateWindow();
  return shown;
}

bool HelpWindow::ShowPage(const QString& file) {
  if (!QFile::exists(kResourceFolder + file)) return false;
  if (CurrentPage() != file) Browser->setSource(PageUrl(file));
  return CurrentPage() == file && !Browser->document()->isEmpty();
}

QString HelpWindow::CurrentPage() const {
  return Browser->source().fileName();
}

QStringList HelpWindow::Search(const QString& query) const {
  const QStringList words = QueryWords(query);
  if (words.isEmpty()) return {};
  struct Hit {
    QString file;
    qsizetype count;
  };
  std::vector<Hit> hits;
  for (const IndexedPage& page : index_) {
    qsizetype count = 0;
    for (const QString& word : words) {
      qsizetype n = page.text.count(word);
      if (n == 0) {
        count = 0;
        break;
      }
      count += n;
    }
    if (count > 0) hits.push_back({page.file, count});
  }
  std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.count > b.count; });
  QStringList files;
  for (const Hit& hit : hits) files << hit.file;
  return files;
}

void HelpWindow::RunSearch() {
  const QStringList files = Search(SearchField->text());
  QSignalBlocker block(SearchResults);
  SearchResults->clear();
  for (const QString& file : files) {
    auto match =
        std::find_if(index_.begin(), index_.end(), [&](const IndexedPage& p) { return p.file == file; });
    auto* item = new QListWidgetItem(match->title, SearchResults);
    item->setData(Qt::UserRole, file);
  }
  if (SearchField->text().trimmed().isEmpty()) {
    SearchCount->clear();
  } else if (files.isEmpty()) {
    SearchCount->setText("No page holds all of these words.");
  } else {
    SearchCount->setText(files.size() == 1 ? QString("1 page") : QString("%1 pages").arg(files.size()));
  }
}

// Opens the page picked among the results with the first word of the search selected.
void HelpWindow::OpenSearchResult() {
  QListWidgetItem* item = SearchResults->currentItem();
  if (!item || !ShowPage(item->data(Qt::UserRole).toString())) return;
  const QStringList words = QueryWords(SearchField->text());
  if (words.isEmpty()) return;
  Browser->moveCursor(QTextCursor::Start);
  Browser->find(words.first());
}

// The contents list follows the page shown, however it was reached (link, Back, search). The
// browser announces the new page before source() returns it, so the page comes from the signal.
void HelpWindow::FollowSource(const QUrl& source) {
  const QString file = source.fileName();
  QSignalBlocker block(Contents);
  for (int row = 0; row < Contents->count(); ++row) {
    if (Contents->item(row)->data(Qt::UserRole).toString() == file) {
      Contents->setCurrentRow(row);
      return;
    }
  }
  Contents->setCurrentRow(-1);
}

}  // namespace tulo::gui
