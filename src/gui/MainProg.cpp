#include "gui/MainProg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QActionGroup>
#include <QMenuBar>
#include <QSettings>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "common/Text.h"
#include "gui/AboutBox.h"
#include "gui/Artwork.h"
#include "gui/DiagramWindow.h"
#include "gui/GridView.h"
#include "gui/HelpWindow.h"
#include "gui/StateListWindow.h"
#include "gui/TablesWindow.h"
#include "gui/UnitsSelect.h"
#include "props/Catalogue.h"
#include "results/PhaseCondition.h"
#include "results/Standards.h"
#include "units/Units.h"

namespace tulo::gui {
namespace {

// The program's own settings, beside the configuration file in its data folder.
const QString kSettingsFile = "tulo-settings.ini";
const QString kStandardKey = "standard";

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Design size of the window, in pixels at the 8-point dialog font it was laid out for; the layout
// grows from it as the font in use needs.
constexpr int kDesignWidth = 522;
constexpr int kDesignHeight = 409;
// Design width of the error label's column.
constexpr int kErrorColumnWidth = 120;

// Every unit text of the quantities in `quantities`.
std::vector<std::string> UnitTexts(std::initializer_list<int> quantities) {
  std::vector<std::string> texts;
  for (int q : quantities)
    for (int n = 1; n <= UnitCount(q); ++n) texts.push_back(UnitTextOf(q, n));
  return texts;
}

// The names of `items` and every unit text their quantities can show.
struct ItemTexts {
  std::vector<std::string> names, units;
};
ItemTexts TextsOf(std::span<const Item> items) {
  ItemTexts texts;
  for (Item item : items) {
    texts.names.push_back(PropName(item));
    for (int n = 1; n <= UnitCount(PropQuantity(item)); ++n)
      texts.units.push_back(UnitTextOf(PropQuantity(item), n));
  }
  return texts;
}

// The widest texts a value cell can hold: a status text, or a number (at most about five
// significant digits with sign, point and exponent, never more than twelve characters).
std::vector<std::string> ValueTexts() {
  return {"Out of Range", "-0.00088888", "-888888.8", "-8.8888e-88"};
}

int WidestText(const QFont& font, const std::vector<std::string>& texts) {
  QFontMetrics fm(font);
  int widest = 0;
  for (const std::string& text : texts) widest = std::max(widest, fm.horizontalAdvance(Q(text)));
  return widest;
}

QLabel* MakeLabel(const QString& text, QWidget* parent, const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name) label->setObjectName(name);
  return label;
}

void MakeRed(QLabel* label) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::Active, QPalette::WindowText, Qt::red);
  pal.setColor(QPalette::Inactive, QPalette::WindowText, Qt::red);
  label->setPalette(pal);
}

void MirrorLabel(QLabel* w, const Label& label) {
  QString text = Q(label.caption);
  if (w->text() != text) w->setText(text);
  w->setEnabled(label.enabled);
}

// Copies a field; when the user is typing in it the cursor stays where it was.
void MirrorField(QLineEdit* w, const EditField& field) {
  QSignalBlocker block(w);
  QString text = Q(field.text);
  if (w->text() != text) {
    int cursor = w->cursorPosition();
    bool typing = w->hasFocus();
    w->setText(text);
    if (typing) w->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
  }
  w->setEnabled(field.enabled);
}

void MirrorCombo(QComboBox* w, const ComboBox& combo) {
  QSignalBlocker block(w);
  QStringList items;
  for (const std::string& item : combo.items) items << Q(item);
  QStringList shown;
  for (int i = 0; i < w->count(); ++i) shown << w->itemText(i);
  if (items != shown) {
    w->clear();
    w->addItems(items);
  }
  if (w->currentIndex() != combo.itemIndex) w->setCurrentIndex(combo.itemIndex);
  w->setEnabled(combo.enabled);
}

// A page holding a grid at its top left, and what goes below it.
QWidget* GridPage(const char* name, QWidget* grid, QWidget* below = nullptr) {
  auto* page = new QWidget;
  page->setObjectName(name);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(grid, 0, Qt::AlignLeft | Qt::AlignTop);
  if (below) layout->addWidget(below);
  layout->addStretch(1);
  return page;
}

}  // namespace

TMainProg::TMainProg(PlatformServices& platform, std::unique_ptr<ConfigStore> store, QWidget* parent)
    : QMainWindow(parent), form_(std::make_unique<MainForm>(platform, std::move(store))) {
  setObjectName("MainProg");
  setWindowTitle(MainForm::kCaption);
  setWindowIcon(ProgramIcon());
  // A system menu and a minimise box, no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  BuildControls();
  BuildMenus();
  ConnectEvents();

  form_->onChanged = [this] { SyncFromForm(); };
  Forward([this] { initialised_ = form_->InitialiseClick(); });
  if (!initialised_) return;
  // The standard chosen last time, from the program's settings in its data folder (the working
  // folder); the configuration file keeps its 1032 bytes as they are.
  const QString key = QSettings(kSettingsFile, QSettings::IniFormat).value(kStandardKey).toString();
  for (std::size_t i = 0; i < Standards().size(); ++i)
    if (key.toStdString() == Standards()[i].key && i != 0) Forward([this, i] { form_->SelectCorrelationSet(Standards()[i].set()); });
  FixLayout();
}

void TMainProg::StandardClick(std::size_t index) {
  if (index >= Standards().size()) return;
  const StandardEntry& entry = Standards()[index];
  Forward([&] { form_->SelectCorrelationSet(entry.set()); });
  // QSettings writes its file whole through a temporary file and a rename; a write that fails
  // leaves the old file and is said, since the choice then does not outlive this run.
  QSettings settings(kSettingsFile, QSettings::IniFormat);
  settings.setValue(kStandardKey, QString::fromUtf8(entry.key.data(), static_cast<int>(entry.key.size())));
  settings.sync();
  if (settings.status() != QSettings::NoError)
    form_->platform().ShowError(
        "Settings", "Cannot write \"" + QFileInfo(settings.fileName()).absoluteFilePath().toStdString() +
                        "\": the standard chosen will not be kept for the next start.");
}

TMainProg::~TMainProg() {
  form_->onChanged = nullptr;
}

void TMainProg::AttachDialogs(TAboutBox* about, TUnitsSelect* units) {
  about_ = about;
  units_ = units;
}

void TMainProg::Forward(const std::function<void()>& handler) {
  ++busy_;
  handler();
  --busy_;
  if (busy_ == 0 && activationPending_) {
    activationPending_ = false;
    Forward([this] { form_->FormActivate(); });
  }
}

void TMainProg::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  QFrame* inputFrame = BuildInputFrame(central);
  QFrame* stateFrame = BuildStateFrame(central);
  const double resultScale = BuildGrids();
  QWidget* left = BuildLeftColumn(central, resultScale);
  BuildPages(central);

  // The separate tab strip of one old platform; kept for its handler, never shown here.
  TabSet1 = new QTabBar(central);
  TabSet1->setObjectName("TabSet1");
  for (int i = 0; i < PageControl1->count(); ++i) TabSet1->addTab(PageControl1->tabText(i));
  TabSet1->hide();

  auto* top = new QHBoxLayout;
  top->addWidget(inputFrame, 0);
  top->addWidget(stateFrame, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(left, 0);
  auto* pages = new QVBoxLayout;
  pages->addWidget(PageControl1, 1);
  pages->addWidget(TabSet1, 0);
  bottom->addLayout(pages, 1);
  auto* all = new QVBoxLayout(central);
  all->addLayout(top, 0);
  all->addLayout(bottom, 1);
}

// Input frame: the two captions and fields, the tall clear button and the pair chooser beside them.
QFrame* TMainProg::BuildInputFrame(QWidget* central) {
  auto* inputFrame = new QFrame(central);
  inputFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* inputs = new QGridLayout(inputFrame);
  QFont bold = font();
  bold.setBold(true);
  UnitT = MakeLabel("", inputFrame, "UnitT");
  UnitP = MakeLabel("", inputFrame, "UnitP");
  UnitT->setFont(bold);
  UnitP->setFont(bold);
  TemperatureInput = new QLineEdit(inputFrame);
  TemperatureInput->setObjectName("TemperatureInput");
  PressureInput = new QLineEdit(inputFrame);
  PressureInput->setObjectName("PressureInput");
  ClearInputs = new QPushButton("C&lear", inputFrame);
  ClearInputs->setObjectName("ClearInputs");
  ClearInputs->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  InputPairComboBox = new QComboBox(inputFrame);
  InputPairComboBox->setObjectName("InputPairComboBox");
  InputPairComboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  inputs->addWidget(UnitT, 0, 0);
  inputs->addWidget(TemperatureInput, 0, 1);
  inputs->addWidget(UnitP, 1, 0);
  inputs->addWidget(PressureInput, 1, 1);
  inputs->addWidget(ClearInputs, 0, 2, 2, 1);
  inputs->addWidget(InputPairComboBox, 0, 3, 2, 1, Qt::AlignVCenter);
  // Room for the longest captions the units allow ("Pressure (" cut to 25 characters, then ")"),
  // and those of the other pairs' quantities.
  std::vector<std::string> captions = {"Steam Quality (%)"};
  for (const std::string& unit : UnitTexts({kTemperature})) captions.push_back("Temperature (" + unit + ")");
  for (const std::string& unit : UnitTexts({kPressure}))
    captions.push_back(Utf8Left("Pressure (" + unit, 25) + ")");
  for (const std::string& unit : UnitTexts({kEnthalpyQ})) captions.push_back("Enthalpy (" + unit + ")");
  for (const std::string& unit : UnitTexts({kEntropyQ})) captions.push_back("Entropy (" + unit + ")");
  int captionWidth = WidestText(bold, captions) + 4;
  UnitT->setMinimumWidth(captionWidth);
  UnitP->setMinimumWidth(captionWidth);
  QFontMetrics fm(font());
  TemperatureInput->setMinimumWidth(fm.horizontalAdvance("-8.8888E+888") + 16);
  PressureInput->setMinimumWidth(fm.horizontalAdvance("-8.8888E+888") + 16);
  return inputFrame;
}

// State frame: the state last calculated.
QFrame* TMainProg::BuildStateFrame(QWidget* central) {
  auto* stateFrame = new QFrame(central);
  stateFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* state = new QGridLayout(stateFrame);
  TemperatureOutput = MakeLabel("", stateFrame, "TemperatureOutput");
  PressureOutput = MakeLabel("", stateFrame, "PressureOutput");
  ConditionText = MakeLabel("", stateFrame, "ConditionText");
  state->addWidget(MakeLabel("Temperature", stateFrame), 0, 0);
  state->addWidget(TemperatureOutput, 0, 1);
  state->addWidget(MakeLabel("Pressure", stateFrame), 1, 0);
  state->addWidget(PressureOutput, 1, 1);
  state->addWidget(MakeLabel("Condition", stateFrame), 2, 0);
  state->addWidget(ConditionText, 2, 1);
  StandardText = MakeLabel("", stateFrame, "StandardText");
  state->addWidget(MakeLabel("Standard", stateFrame), 3, 0);
  state->addWidget(StandardText, 3, 1);
  // Below the standard's name, across both columns: the warning where the built-in values stray.
  DeviationText = MakeLabel("", stateFrame, "DeviationText");
  DeviationText->setWordWrap(true);
  MakeRed(DeviationText);
  state->addWidget(DeviationText, 4, 0, 1, 2);
  state->setColumnStretch(1, 1);
  std::vector<std::string> stateTexts;
  for (const std::string& unit : UnitTexts({kTemperature, kPressure}))
    stateTexts.push_back("-8.8888E+888 " + unit);
  for (Condition condition : kConditions) stateTexts.push_back(ConditionName(condition));
  TemperatureOutput->setMinimumWidth(WidestText(font(), stateTexts));
  return stateFrame;
}

// Grids: the design widths scaled so that the widest text of every column fits. Returns the scale
// of the two result grids.
double TMainProg::BuildGrids() {
  VarPropGrid = new GridView(4, 17);
  VarPropGrid->setObjectName("VarPropGrid");
  FixPropGrid = new GridView(3, 16);
  FixPropGrid->setObjectName("FixPropGrid");
  WetPropGrid = new GridView(5, 7);
  WetPropGrid->setObjectName("WetPropGrid");
  const ItemTexts var = TextsOf(VariableItems());
  const ItemTexts wet = TextsOf(form_->session().Set().Layout().WetRowSet());
  const ItemTexts fixed = TextsOf(FixedItems());
  const std::vector<std::string> values = ValueTexts();
  const std::vector<GridView::Column> varColumns = {{160, var.names, {"Property"}},
                                                    {77, var.units, {"Units"}},
                                                    {63, values, {"Solid", "Liquid", "Vapour"}},
                                                    {63, values, {"Vapour"}}};
  const std::vector<GridView::Column> wetColumns = {{143, wet.names, {"Property"}},
                                                    {55, wet.units, {"Units"}},
                                                    {55, values, {"Liquid"}},
                                                    {55, values, {"Vapour"}},
                                                    {55, values, {"Wet St'm"}}};
  const std::vector<GridView::Column> fixedColumns = {
      {160, fixed.names, {"Property"}}, {50, fixed.units, {"Units"}}, {50, values, {"Value"}}};
  // The two result grids have the same design width and keep it alike.
  double resultScale =
      std::max(GridView::ScaleToFit(font(), varColumns), GridView::ScaleToFit(font(), wetColumns));
  VarPropGrid->SetColumnLayout(GridView::DesignWidths(varColumns), resultScale);
  WetPropGrid->SetColumnLayout(GridView::DesignWidths(wetColumns), resultScale);
  FixPropGrid->SetColumnLayout(GridView::DesignWidths(fixedColumns),
                               GridView::ScaleToFit(font(), fixedColumns));
  return resultScale;
}

// Left column: the error label in its frame, the program's picture below.
QWidget* TMainProg::BuildLeftColumn(QWidget* central, double resultScale) {
  QFontMetrics fm(font());
  auto* left = new QWidget(central);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  auto* errorFrame = new QFrame(left);
  errorFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* errorLayout = new QVBoxLayout(errorFrame);
  FormError = MakeLabel("", errorFrame, "FormError");
  FormError->setAlignment(Qt::AlignCenter);
  FormError->setWordWrap(true);
  MakeRed(FormError);
  errorLayout->addWidget(FormError);
  int leftWidth = static_cast<int>(kErrorColumnWidth * resultScale);
  left->setFixedWidth(leftWidth);
  // Room for the longest error text (80 characters) wrapped at the column's width.
  const QString longestError =
      "For saturation the temperature must be less than -99999.99 Fahrenheit and more";
  FormError->setMinimumHeight(
      fm.boundingRect(QRect(0, 0, leftWidth - 24, 1000), Qt::TextWordWrap, longestError).height());
  Picture = MakeLabel("", left, "Picture");
  Picture->setAlignment(Qt::AlignCenter);
  Picture->setPixmap(ProgramPicture(std::min(leftWidth - 8, 128)));
  leftLayout->addWidget(errorFrame, 0);
  leftLayout->addWidget(Picture, 1);
  return left;
}

void TMainProg::BuildPages(QWidget* central) {
  PageControl1 = new QTabWidget(central);
  PageControl1->setObjectName("PageControl1");
  PageControl1->addTab(GridPage("VariableResultsTab", VarPropGrid), "&Variable Results");
  PageControl1->addTab(GridPage("FixedPropertiesTab", FixPropGrid), "Fixed &Properties");
  PageControl1->addTab(BuildSearchPage(), "&Steam Search");
  QWidget* wetBox = BuildWetSteamBox();
  PageControl1->addTab(GridPage("WetSteamTab", WetPropGrid, wetBox), "&Wet Steam");
}

QWidget* TMainProg::BuildSearchPage() {
  QFontMetrics fm(font());
  auto* search = new QWidget;
  search->setObjectName("SteamSearchTab");
  auto* searchLayout = new QGridLayout(search);
  SearchComboBox = new QComboBox(search);
  SearchComboBox->setObjectName("SearchComboBox");
  TempOrPressComboBox = new QComboBox(search);
  TempOrPressComboBox->setObjectName("TempOrPressComboBox");
  for (QComboBox* list : {SearchComboBox, TempOrPressComboBox}) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(27);  // "Density / Volume (m3/kmol)", "Pressure (inch H2O gauge)"
  }
  SearchBox = new QLineEdit(search);
  SearchBox->setObjectName("SearchBox");
  TempOrPressBox = new QLineEdit(search);
  TempOrPressBox->setObjectName("TempOrPressBox");
  for (QLineEdit* box : {SearchBox, TempOrPressBox})
    box->setMaximumWidth(fm.horizontalAdvance("-8.8888E+888") * 2);
  UseWetSteam = new QCheckBox("Search Wet Steam Results", search);
  UseWetSteam->setObjectName("UseWetSteam");
  GoSearch = new QPushButton("Search", search);
  GoSearch->setObjectName("GoSearch");
  auto* searchNote = MakeLabel(
      "On a succesful search you will be transferred to either the Wet Steam or Variable Results page, "
      "whichever is appropriate.",
      search);
  searchNote->setWordWrap(true);
  searchLayout->addWidget(MakeLabel("Search Property", search), 0, 0);
  searchLayout->addWidget(MakeLabel("Search Value", search), 0, 1);
  searchLayout->addWidget(SearchComboBox, 1, 0);
  searchLayout->addWidget(SearchBox, 1, 1);
  searchLayout->addWidget(TempOrPressComboBox, 2, 0);
  searchLayout->addWidget(TempOrPressBox, 2, 1);
  searchLayout->addWidget(UseWetSteam, 3, 0, 1, 2);
  searchLayout->addWidget(GoSearch, 4, 0, Qt::AlignLeft);
  searchLayout->addWidget(searchNote, 5, 0, 1, 2);
  searchLayout->setRowStretch(6, 1);
  searchLayout->setColumnStretch(1, 1);
  return search;
}

QWidget* TMainProg::BuildWetSteamBox() {
  QFontMetrics fm(font());
  auto* wetBox = new QWidget;
  auto* wetLayout = new QGridLayout(wetBox);
  wetLayout->setContentsMargins(0, 0, 0, 0);
  WetSteamLabel = MakeLabel("", wetBox, "WetSteamLabel");
  WetSteamInput = new QLineEdit(wetBox);
  WetSteamInput->setObjectName("WetSteamInput");
  WetSteamInput->setMaximumWidth(fm.horizontalAdvance("-8.8888E+888") + 16);
  WetSteamPossible = MakeLabel("", wetBox, "WetSteamPossible");
  WetSteamPossible->setWordWrap(true);
  MakeRed(WetSteamPossible);
  wetLayout->addWidget(WetSteamLabel, 0, 0);
  wetLayout->addWidget(WetSteamInput, 0, 1, Qt::AlignLeft);
  wetLayout->addWidget(WetSteamPossible, 1, 0, 1, 2);
  wetLayout->setColumnStretch(1, 1);
  return wetBox;
}

void TMainProg::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  Tables1 = file->addAction("&Tables...");
  StateList1 = file->addAction("State &list");
  AddToStateList1 = file->addAction("&Add to state list");
  AddToStateList1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  file->addSeparator();
  Exit1 = file->addAction("E&xit");
  Exit1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
  QMenu* copy = menuBar()->addMenu("&Copy Results");
  WithTabs1 = copy->addAction("With Tabs (for spreadsheets)");
  WithSpaces1 = copy->addAction("With Spaces (for text files)");
  // A command on the menu bar itself: no items drop down.
  CustomUnits1 = menuBar()->addAction("&Units");
  QMenu* standard = menuBar()->addMenu("&Standard");
  auto* standards = new QActionGroup(this);
  for (const StandardEntry& entry : Standards()) {
    QAction* item = standard->addAction(QString::fromStdString(entry.set().Name()));
    item->setCheckable(true);
    item->setObjectName(QString("Standard_") + QString::fromUtf8(entry.key.data(), static_cast<int>(entry.key.size())));
    standards->addAction(item);
    StandardItems.push_back(item);
  }
  QMenu* diagrams = menuBar()->addMenu("&Diagrams");
  const char* diagramNames[] = {"&T-s Diagram", "&h-s (Mollier) Diagram", "&P-h Diagram", "P-T Diagra&m"};
  for (DiagramKind kind : kDiagramKinds) {
    QAction* action = diagrams->addAction(diagramNames[DiagramActions.size()]);
    action->setObjectName(
        QString("Diagram%1").arg(QString::fromStdString(std::string(DiagramKindKey(kind)))));
    connect(action, &QAction::triggered, this, [this, kind] { OpenDiagram(kind); });
    DiagramActions.append(action);
  }
  QMenu* help = menuBar()->addMenu("&Help");
  Contents1 = help->addAction("&Contents");
  About1 = help->addAction("&About...");
  Tables1->setObjectName("Tables1");
  StateList1->setObjectName("StateList1");
  AddToStateList1->setObjectName("AddToStateList1");
  Exit1->setObjectName("Exit1");
  WithTabs1->setObjectName("WithTabs1");
  WithSpaces1->setObjectName("WithSpaces1");
  CustomUnits1->setObjectName("CustomUnits1");
  Contents1->setObjectName("Contents1");
  About1->setObjectName("About1");
  PageHelp1 = new QAction("Help on this page", this);
  PageHelp1->setObjectName("PageHelp1");
  PageHelp1->setShortcut(QKeySequence(Qt::Key_F1));
  addAction(PageHelp1);
}

void TMainProg::ConnectEvents() {
  auto edits = [this](QLineEdit* edit, Field field) {
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
      Forward([&] { form_->WriteField(field, text.toStdString()); });
    });
  };
  edits(TemperatureInput, Field::kTemperature);
  edits(PressureInput, Field::kPressure);
  edits(WetSteamInput, Field::kWetSteam);
  edits(SearchBox, Field::kSearchBox);
  edits(TempOrPressBox, Field::kTempOrPressBox);
  connect(ClearInputs, &QPushButton::clicked, this,
          [this] { Forward([this] { form_->ClearInputsClick(); }); });
  connect(InputPairComboBox, &QComboBox::activated, this,
          [this](int index) { Forward([&] { form_->SelectInputPair(index); }); });
  connect(SearchComboBox, &QComboBox::activated, this,
          [this](int index) { Forward([&] { form_->SelectSearchItem(index); }); });
  connect(TempOrPressComboBox, &QComboBox::activated, this,
          [this](int index) { Forward([&] { form_->SelectTempOrPressItem(index); }); });
  connect(UseWetSteam, &QCheckBox::clicked, this,
          [this](bool checked) { Forward([&] { form_->UseWetSteamClick(checked); }); });
  connect(GoSearch, &QPushButton::clicked, this, [this] { Forward([this] { form_->GoSearchClick(); }); });
  connect(PageControl1, &QTabWidget::currentChanged, this,
          [this](int page) { Forward([&] { form_->SetActivePage(page); }); });
  connect(TabSet1, &QTabBar::currentChanged, this,
          [this](int index) { Forward([&] { form_->TabSet1Click(index); }); });

  connect(Tables1, &QAction::triggered, this, &TMainProg::Tables1Click);
  connect(StateList1, &QAction::triggered, this, &TMainProg::StateList1Click);
  connect(AddToStateList1, &QAction::triggered, this, &TMainProg::AddToStateList1Click);
  connect(Exit1, &QAction::triggered, this, &TMainProg::Exit1Click);
  for (std::size_t i = 0; i < StandardItems.size(); ++i)
    connect(StandardItems[i], &QAction::triggered, this, [this, i] { StandardClick(i); });
  connect(WithTabs1, &QAction::triggered, this, [this] { Forward([this] { form_->WithTabs1Click(); }); });
  connect(WithSpaces1, &QAction::triggered, this, [this] { Forward([this] { form_->WithSpaces1Click(); }); });
  connect(CustomUnits1, &QAction::triggered, this, &TMainProg::CustomUnits1Click);
  connect(Contents1, &QAction::triggered, this, [this] { Forward([this] { form_->Contents1Click(); }); });
  connect(About1, &QAction::triggered, this, &TMainProg::About1Click);
  connect(PageHelp1, &QAction::triggered, this, &TMainProg::PageHelp1Click);
}

// The window keeps one size: the design size, or what the fonts need where that is more.
void TMainProg::FixLayout() {
  adjustSize();
  setFixedSize(size().expandedTo(QSize(kDesignWidth, kDesignHeight)));
}

void TMainProg::SyncFromForm() {
  const MainForm& f = *form_;
  MirrorLabel(UnitT, f.UnitT);
  MirrorLabel(UnitP, f.UnitP);
  MirrorField(TemperatureInput, f.TemperatureInput);
  MirrorField(PressureInput, f.PressureInput);
  MirrorCombo(InputPairComboBox, f.InputPairComboBox);
  MirrorLabel(TemperatureOutput, f.TemperatureOutput);
  MirrorLabel(PressureOutput, f.PressureOutput);
  MirrorLabel(ConditionText, f.ConditionText);
  MirrorLabel(StandardText, f.StandardText);
  MirrorLabel(DeviationText, f.DeviationText);
  for (std::size_t i = 0; i < StandardItems.size(); ++i) {
    QSignalBlocker block(StandardItems[i]);
    StandardItems[i]->setChecked(&Standards()[i].set() == &f.session().Set());
  }
  MirrorLabel(FormError, f.FormError);
  {
    QSignalBlocker block(PageControl1);
    if (PageControl1->currentIndex() != f.ActivePage) PageControl1->setCurrentIndex(f.ActivePage);
  }
  {
    QSignalBlocker block(TabSet1);
    if (TabSet1->currentIndex() != f.ActivePage) TabSet1->setCurrentIndex(f.ActivePage);
  }
  VarPropGrid->Mirror(f.VarPropGrid);
  FixPropGrid->Mirror(f.FixPropGrid);
  MirrorCombo(SearchComboBox, f.SearchComboBox);
  MirrorCombo(TempOrPressComboBox, f.TempOrPressComboBox);
  MirrorField(SearchBox, f.SearchBox);
  MirrorField(TempOrPressBox, f.TempOrPressBox);
  {
    QSignalBlocker block(UseWetSteam);
    UseWetSteam->setChecked(f.UseWetSteam.checked);
    UseWetSteam->setEnabled(f.UseWetSteam.enabled);
  }
  GoSearch->setEnabled(f.GoSearch.enabled);
  WetPropGrid->Mirror(f.WetPropGrid);
  MirrorLabel(WetSteamLabel, f.WetSteamLabel);
  MirrorField(WetSteamInput, f.WetSteamInput);
  MirrorLabel(WetSteamPossible, f.WetSteamPossible);
  if (diagram_) diagram_->FollowForm();
}

bool TMainProg::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && initialised_) {
    if (busy_ > 0) {
      activationPending_ = true;
    } else {
      Forward([this] { form_->FormActivate(); });
    }
  }
  return QMainWindow::event(e);
}

void TMainProg::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (shownOnce_) return;
  shownOnce_ = true;
  FormShow();
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

// The page control's own tabs switch the pages; the separate tab strip stays hidden.
void TMainProg::FormShow() {
  TabSet1->hide();
  PageControl1->tabBar()->show();
}

void TMainProg::closeEvent(QCloseEvent* e) {
  bool canClose = true;
  Forward([&] { canClose = form_->FormCloseQuery(); });
  if (!canClose) {
    e->ignore();
    return;
  }
  if (about_) about_->hide();
  if (units_) units_->hide();
  if (tables_) tables_->close();
  if (stateList_) stateList_->close();
  if (diagram_) diagram_->hide();
  e->accept();
}

void TMainProg::BringToFront() {
  show();
  raise();
  activateWindow();
}

void TMainProg::OpenDiagram(DiagramKind kind) {
  if (!diagram_)
    diagram_ = new DiagramWindow(
        *form_, [this](const std::function<void()>& handler) { Forward(handler); }, this);
  diagram_->Open(kind);
}

void TMainProg::Exit1Click() {
  close();
}

void TMainProg::CustomUnits1Click() {
  if (units_) units_->ShowModeless();
}

// The Tables window works in the units and the standard of this window's session.
void TMainProg::Tables1Click() {
  if (!tables_) tables_ = std::make_unique<TablesWindow>(*form_);
  tables_->Open();
}

StateListWindow& TMainProg::StateListMade() {
  if (!stateList_) stateList_ = std::make_unique<StateListWindow>(*form_);
  return *stateList_;
}

void TMainProg::StateList1Click() {
  StateListMade().Open();
}

// The state goes in as the pair and values that give it, in the standard in use, so that the list
// shows it again in any units.
void TMainProg::AddToStateList1Click() {
  Forward([this] {
    const std::optional<StateInput> input = form_->ShownInput();
    if (!input) {
      form_->platform().ShowMessage("There is no state to add: enter a state first.");
      return;
    }
    StateListWindow& list = StateListMade();
    list.AddState("", {std::string(StandardKey(form_->session().Set())), *input});
    list.Open();
  });
}

void TMainProg::About1Click() {
  if (about_) about_->ShowModeless();
}

// Asks for the topic of the page in front; when the platform cannot show it, the Help > Contents
// command runs, which asks for the window's own topic and says so when that fails too.
void TMainProg::PageHelp1Click() {
  Forward([this] {
    const int topic = static_cast<int>(PageHelpTopic(form_->ActivePage));
    if (!form_->platform().OpenHelp(MainForm::kHelpFile, topic)) form_->Contents1Click();
  });
}

}  // namespace tulo::gui
