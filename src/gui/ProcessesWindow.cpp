#include "gui/ProcessesWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/MainForm.h"
#include "gui/Artwork.h"
#include "gui/GridView.h"
#include "gui/HelpWindow.h"
#include "gui/Mirror.h"
#include "gui/SaveFile.h"

namespace tulo::gui {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

void ShowRed(QLabel* label, bool red, const QWidget& window) {
  QPalette pal = label->palette();
  const QColor colour = red ? QColor(Qt::red) : window.palette().color(QPalette::WindowText);
  pal.setColor(QPalette::Active, QPalette::WindowText, colour);
  pal.setColor(QPalette::Inactive, QPalette::WindowText, colour);
  label->setPalette(pal);
}

}  // namespace

ProcessesWindow::ProcessesWindow(MainForm& form, std::function<void(const ProcessResult&)> showOnDiagram,
                                 std::function<void(const NamedState&)> addToStateList, QWidget* parent)
    : QMainWindow(parent), form_(form), process_(form.session(), form.platform()) {
  setObjectName("ProcessesWindow");
  setWindowTitle(kCaption);
  setWindowIcon(ProgramIcon());
  if (showOnDiagram) process_.SetShowOnDiagram(std::move(showOnDiagram));
  if (addToStateList) process_.SetAddToStateList(std::move(addToStateList));
  BuildControls();
  process_.onChanged = [this] { Sync(); };
  Sync();
  resize(1000, 660);
  AddHelpKey(*this, form_, HelpTopic::kProcesses);
}

ProcessesWindow::~ProcessesWindow() {
  process_.onChanged = nullptr;
}

// One state: its pair chooser and its two fields under their captions, in a frame named after it.
ProcessesWindow::StateControls ProcessesWindow::BuildState(int index, const StateFields& fields,
                                                           QWidget* parent) {
  StateControls c{};
  c.box = new QGroupBox(Q(fields.name), parent);
  c.box->setObjectName(QString("State%1").arg(index));
  auto* layout = new QGridLayout(c.box);
  c.pair = new QComboBox(c.box);
  c.pair->setObjectName("Pair");
  c.firstCaption = new QLabel(c.box);
  c.first = new QLineEdit(c.box);
  c.first->setObjectName("First");
  c.secondCaption = new QLabel(c.box);
  c.second = new QLineEdit(c.box);
  c.second->setObjectName("Second");
  // Room for a typed value of a dozen characters even with four states side by side.
  for (QLineEdit* field : {c.first, c.second})
    field->setMinimumWidth(QFontMetrics(font()).horizontalAdvance("-8888.8888888"));
  c.firstCaption->setBuddy(c.first);
  c.secondCaption->setBuddy(c.second);
  layout->addWidget(c.pair, 0, 0, 1, 2);
  layout->addWidget(c.firstCaption, 1, 0);
  layout->addWidget(c.first, 1, 1);
  layout->addWidget(c.secondCaption, 2, 0);
  layout->addWidget(c.second, 2, 1);
  return c;
}

QWidget* ProcessesWindow::BuildPage(const ProcessPageForm& page) {
  auto* widget = new QWidget;
  PageControls controls{};
  controls.mode = new QComboBox(widget);
  controls.mode->setObjectName("Mode");
  controls.mode->setVisible(page.mode.items.size() > 1);
  auto* states = new QHBoxLayout;
  for (std::size_t i = 0; i < page.states.size(); ++i) {
    controls.states.push_back(BuildState(static_cast<int>(i), page.states[i], widget));
    states->addWidget(controls.states.back().box);
  }
  auto* values = new QFormLayout;
  for (std::size_t i = 0; i < page.values.size(); ++i) {
    auto* caption = new QLabel(widget);
    auto* field = new QLineEdit(widget);
    field->setObjectName(QString("Value%1").arg(i));
    field->setMaximumWidth(QFontMetrics(font()).horizontalAdvance("-0.000000000000000e-300"));
    caption->setBuddy(field);
    values->addRow(caption, field);
    controls.valueCaptions.push_back(caption);
    controls.values.push_back(field);
  }
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(controls.mode);
  layout->addLayout(states);
  layout->addLayout(values);
  layout->addStretch(1);
  PageWidgets.push_back(std::move(controls));
  return widget;
}

// The units of the flows and powers, the precision, the commands and the message.
QWidget* ProcessesWindow::BuildCommands(QWidget* central) {
  auto* box = new QWidget(central);
  FlowUnit = new QComboBox(box);
  FlowUnit->setObjectName("FlowUnit");
  PowerUnit = new QComboBox(box);
  PowerUnit->setObjectName("PowerUnit");
  FullPrecision = new QCheckBox("&Full precision", box);
  FullPrecision->setObjectName("FullPrecision");
  Compute = new QPushButton("C&ompute", box);
  Compute->setObjectName("Compute");
  Compute->setDefault(true);
  Copy = new QPushButton("&Copy", box);
  Copy->setObjectName("Copy");
  SaveAsButton = new QPushButton("&Save as...", box);
  SaveAsButton->setObjectName("SaveAs");
  ShowOnDiagram = new QPushButton("Show on &diagram", box);
  ShowOnDiagram->setObjectName("ShowOnDiagram");
  AddToStateList = new QPushButton("&Add to state list", box);
  AddToStateList->setObjectName("AddToStateList");
  auto* flowLabel = new QLabel("F&low unit", box);
  flowLabel->setBuddy(FlowUnit);
  auto* powerLabel = new QLabel("&Power unit", box);
  powerLabel->setBuddy(PowerUnit);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w :
       std::initializer_list<QWidget*>{flowLabel, FlowUnit, powerLabel, PowerUnit, FullPrecision})
    layout->addWidget(w);
  layout->addStretch(1);
  for (QWidget* w :
       std::initializer_list<QWidget*>{Compute, Copy, SaveAsButton, ShowOnDiagram, AddToStateList})
    layout->addWidget(w);
  return box;
}

void ProcessesWindow::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  Pages = new QTabWidget(central);
  Pages->setObjectName("Pages");
  for (const ProcessPageForm& page : process_.Pages) Pages->addTab(BuildPage(page), Q(page.title));
  Message = new QLabel(central);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setMinimumHeight(QFontMetrics(font()).lineSpacing() * 2);
  Message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  States = new GridView(ProcessForm::kStateColumns, 1, central);
  States->setObjectName("States");
  States->setSelectionBehavior(QAbstractItemView::SelectRows);
  States->setSelectionMode(QAbstractItemView::SingleSelection);
  Figures = new GridView(3, 1, central);
  Figures->setObjectName("Figures");
  auto* results = new QHBoxLayout;
  results->addWidget(States, 3);
  results->addWidget(Figures, 2);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(Pages);
  layout->addWidget(BuildCommands(central));
  layout->addWidget(Message);
  layout->addLayout(results, 1);
  for (int page = 0; page < Pages->count(); ++page) ConnectPage(page);
  ConnectCommands();
}

// The fields of a page: each edit and choice goes to the form, Enter computes.
void ProcessesWindow::ConnectPage(int page) {
  PageControls& c = PageWidgets[static_cast<std::size_t>(page)];
  connect(c.mode, &QComboBox::activated, this, [this](int index) { process_.SelectMode(index); });
  for (std::size_t i = 0; i < c.states.size(); ++i) {
    const int state = static_cast<int>(i);
    StateControls& s = c.states[i];
    connect(s.pair, &QComboBox::activated, this,
            [this, state](int index) { process_.SelectPair(state, index); });
    connect(s.first, &QLineEdit::textEdited, this, [this, state](const QString& text) {
      process_.WriteStateField(state, false, text.toStdString());
    });
    connect(s.second, &QLineEdit::textEdited, this, [this, state](const QString& text) {
      process_.WriteStateField(state, true, text.toStdString());
    });
    for (QLineEdit* field : {s.first, s.second})
      connect(field, &QLineEdit::returnPressed, this, [this] { process_.ComputeClick(); });
  }
  for (std::size_t i = 0; i < c.values.size(); ++i) {
    const int value = static_cast<int>(i);
    connect(c.values[i], &QLineEdit::textEdited, this,
            [this, value](const QString& text) { process_.WriteValue(value, text.toStdString()); });
    connect(c.values[i], &QLineEdit::returnPressed, this, [this] { process_.ComputeClick(); });
  }
}

void ProcessesWindow::ConnectCommands() {
  connect(Pages, &QTabWidget::currentChanged, this, [this](int page) { process_.SelectPage(page); });
  connect(FlowUnit, &QComboBox::activated, this, [this](int index) { process_.SelectFlowUnit(index); });
  connect(PowerUnit, &QComboBox::activated, this, [this](int index) { process_.SelectPowerUnit(index); });
  connect(FullPrecision, &QCheckBox::clicked, this,
          [this](bool checked) { process_.FullPrecisionClick(checked); });
  connect(Compute, &QPushButton::clicked, this, [this] { process_.ComputeClick(); });
  connect(Copy, &QPushButton::clicked, this, [this] { process_.CopyClick(); });
  connect(SaveAsButton, &QPushButton::clicked, this, &ProcessesWindow::SaveAsClick);
  connect(ShowOnDiagram, &QPushButton::clicked, this, [this] { process_.ShowOnDiagramClick(); });
  connect(AddToStateList, &QPushButton::clicked, this, [this] { process_.AddToStateListClick(); });
  // Row 0 is the heading row: the states are rows 1 on.
  connect(States, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int, int) { process_.SelectStateRow(row - 1); });
}

void ProcessesWindow::Open() {
  FollowForm();
  show();
  raise();
  activateWindow();
}

void ProcessesWindow::FollowForm() {
  process_.FollowSession();
}

bool ProcessesWindow::event(QEvent* e) {
  // The units or the standard may have changed in the main window meanwhile.
  if (e->type() == QEvent::WindowActivate) FollowForm();
  return QMainWindow::event(e);
}

void ProcessesWindow::SaveAsClick() {
  if (!process_.SaveAs.enabled) return;
  const QString path = QFileDialog::getSaveFileName(this, "Save as", "process.csv",
                                                    "CSV files (*.csv);;JSON files (*.json);;All files (*)");
  if (!path.isEmpty()) SaveAs(path);
}

bool ProcessesWindow::SaveAs(const QString& path) {
  const std::optional<std::string> text = process_.FileText(path.toStdString());
  if (!text) return false;
  QString error;
  const bool written = WriteFileWhole(path, QByteArray::fromStdString(*text), error);
  process_.SaveDone(path.toStdString(), written ? std::string() : error.toStdString());
  return written;
}

void ProcessesWindow::SyncPage(int page) {
  const ProcessPageForm& f = process_.Pages[static_cast<std::size_t>(page)];
  PageControls& c = PageWidgets[static_cast<std::size_t>(page)];
  MirrorCombo(c.mode, f.mode);
  for (std::size_t i = 0; i < c.states.size(); ++i) {
    const StateFields& fields = f.states[i];
    StateControls& s = c.states[i];
    s.box->setEnabled(fields.enabled);
    MirrorCombo(s.pair, fields.pair);
    MirrorLabel(s.firstCaption, fields.firstCaption);
    MirrorLabel(s.secondCaption, fields.secondCaption);
    MirrorField(s.first, fields.first);
    MirrorField(s.second, fields.second);
  }
  for (std::size_t i = 0; i < c.values.size(); ++i) {
    MirrorLabel(c.valueCaptions[i], f.values[i].caption);
    MirrorField(c.values[i], f.values[i].value);
  }
}

void ProcessesWindow::Sync() {
  {
    QSignalBlocker block(Pages);
    if (Pages->currentIndex() != process_.ActivePage) Pages->setCurrentIndex(process_.ActivePage);
  }
  for (int page = 0; page < Pages->count(); ++page) SyncPage(page);
  MirrorCombo(FlowUnit, process_.FlowUnitBox);
  MirrorCombo(PowerUnit, process_.PowerUnitBox);
  {
    QSignalBlocker block(FullPrecision);
    FullPrecision->setChecked(process_.FullPrecision.checked);
  }
  Copy->setEnabled(process_.Copy.enabled);
  SaveAsButton->setEnabled(process_.SaveAs.enabled);
  ShowOnDiagram->setEnabled(process_.ShowOnDiagram.enabled);
  AddToStateList->setEnabled(process_.AddToStateList.enabled);
  MirrorLabel(Message, process_.Message);
  ShowRed(Message, process_.MessageIsError, *this);
  {
    QSignalBlocker block(States);
    States->Mirror(process_.StateGrid);
    if (process_.SelectedState < 0) States->clearSelection();
  }
  Figures->Mirror(process_.FigureGrid);
  States->resizeColumnsToContents();
  Figures->resizeColumnsToContents();
}

}  // namespace tulo::gui
