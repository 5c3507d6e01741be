#include "gui/TablesWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "app/MainForm.h"
#include "batch/TableOutput.h"
#include "gui/Artwork.h"
#include "gui/HelpWindow.h"
#include "gui/SaveFile.h"

namespace tulo::gui {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Rows formatted and written at a time when a table is saved.
constexpr std::int64_t kSaveRows = 4096;
// Progress steps a job reports at most: more would only flood the window's event queue.
constexpr int kProgressSteps = 200;

QString QuantityCaption(Quantity q) {
  return q == kTemperature ? "temperature" : "pressure";
}

}  // namespace

// ---- TableModel ----

void TableModel::SetTable(std::shared_ptr<const RangeTable> table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !table_ ? 0 : static_cast<int>(table_->RowCount());
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !table_ ? 0 : table_->ColumnCount();
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!table_ || !index.isValid()) return {};
  const bool condition = index.column() == table_->ColumnCount() - 1;
  switch (role) {
    case Qt::DisplayRole:
      return Q(table_->CellText(index.row(), index.column()));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter | (condition ? Qt::AlignLeft : Qt::AlignRight));
    default:
      return {};
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || !table_) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= table_->ColumnCount()) return {};
  const ColumnHeading& h = table_->Headings()[static_cast<std::size_t>(section)];
  QString text = Q(h.name);
  if (!h.phase.empty()) text += "\n" + Q(h.phase);
  if (!h.unit.empty()) text += "\n" + Q(h.unit);
  return text;
}

// ---- TablesWindow ----

TablesWindow::TablesWindow(MainForm& form, QWidget* parent) : QMainWindow(parent), form_(form) {
  setObjectName("TablesWindow");
  setWindowTitle(kCaption);
  setWindowIcon(ProgramIcon());
  BuildControls();
  connect(&watcher_, &QFutureWatcherBase::finished, this, &TablesWindow::JobFinished);
  RefreshFromSession();
  resize(960, 600);
  AddHelpKey(*this, form_, HelpTopic::kTables);
}

TablesWindow::~TablesWindow() {
  cancel_ = true;
  watcher_.waitForFinished();
}

// The kind, range and step fields, in a grid of labels and fields.
QGridLayout* TablesWindow::BuildInputs(QWidget* central) {
  auto* inputs = new QGridLayout;
  Kind = new QComboBox(central);
  Kind->setObjectName("Kind");
  for (TableKind kind : kTableKinds) Kind->addItem(Q(TableKindName(kind)), static_cast<int>(kind));
  Kind->setMinimumWidth(
      QFontMetrics(font()).horizontalAdvance(Q(TableKindName(TableKind::kSaturationByTemperature))) +
      48);  // the text, the arrow and the frame
  FromLabel = new QLabel(central);
  From = new QLineEdit(central);
  From->setObjectName("From");
  ToLabel = new QLabel(central);
  To = new QLineEdit(central);
  To->setObjectName("To");
  ByStep = new QRadioButton("&Step", central);
  ByStep->setObjectName("ByStep");
  ByStep->setChecked(true);
  Step = new QLineEdit(central);
  Step->setObjectName("Step");
  ByRows = new QRadioButton("&Rows", central);
  ByRows->setObjectName("ByRows");
  Rows = new QLineEdit(central);
  Rows->setObjectName("Rows");
  Rows->setEnabled(false);
  AtLabel = new QLabel(central);
  At = new QLineEdit(central);
  At->setObjectName("At");
  auto* kindLabel = new QLabel("&Kind", central);
  kindLabel->setBuddy(Kind);
  FromLabel->setBuddy(From);
  ToLabel->setBuddy(To);
  AtLabel->setBuddy(At);
  inputs->addWidget(kindLabel, 0, 0);
  inputs->addWidget(Kind, 0, 1);
  inputs->addWidget(FromLabel, 1, 0);
  inputs->addWidget(From, 1, 1);
  inputs->addWidget(ToLabel, 2, 0);
  inputs->addWidget(To, 2, 1);
  inputs->addWidget(ByStep, 3, 0);
  inputs->addWidget(Step, 3, 1);
  inputs->addWidget(ByRows, 4, 0);
  inputs->addWidget(Rows, 4, 1);
  inputs->addWidget(AtLabel, 5, 0);
  inputs->addWidget(At, 5, 1);

  return inputs;
}

void TablesWindow::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  QGridLayout* inputs = BuildInputs(central);
  Items = new QListWidget(central);
  Items->setObjectName("Items");
  DefaultItems = new QPushButton("&Default Items", central);
  DefaultItems->setObjectName("DefaultItems");
  Compute = new QPushButton("C&ompute", central);
  Compute->setObjectName("Compute");
  Compute->setDefault(true);
  Cancel = new QPushButton("Cancel", central);
  Cancel->setObjectName("Cancel");
  Cancel->setEnabled(false);
  Copy = new QPushButton("&Copy", central);
  Copy->setObjectName("Copy");
  SaveAsCsv = new QPushButton("Save as CS&V...", central);
  SaveAsCsv->setObjectName("SaveAsCsv");
  Progress = new QProgressBar(central);
  Progress->setObjectName("Progress");
  Progress->setVisible(false);
  Message = new QLabel(central);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  QFontMetrics fm(font());
  Message->setMinimumHeight(fm.lineSpacing() * 3);

  auto* buttons = new QGridLayout;
  buttons->addWidget(Compute, 0, 0);
  buttons->addWidget(Cancel, 0, 1);
  buttons->addWidget(Copy, 1, 0);
  buttons->addWidget(SaveAsCsv, 1, 1);

  auto* left = new QVBoxLayout;
  left->addLayout(inputs);
  left->addWidget(new QLabel("Columns", central));
  left->addWidget(Items, 1);
  left->addWidget(DefaultItems);
  left->addLayout(buttons);
  left->addWidget(Progress);
  left->addWidget(Message);

  model_ = new TableModel(this);
  Grid = new QTableView(central);
  Grid->setObjectName("Grid");
  Grid->setModel(model_);
  Grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setDefaultSectionSize(fm.height() + 6);

  auto* all = new QHBoxLayout(central);
  auto* leftBox = new QWidget(central);
  leftBox->setLayout(left);
  leftBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  all->addWidget(leftBox, 0);
  all->addWidget(Grid, 1);
  ConnectControls();
}

void TablesWindow::ConnectControls() {
  connect(Kind, &QComboBox::currentIndexChanged, this, [this] { KindChanged(); });
  connect(ByStep, &QRadioButton::toggled, this, [this](bool on) {
    Step->setEnabled(on);
    Rows->setEnabled(!on);
  });
  connect(Items, &QListWidget::itemChanged, this, [this] { itemsTouched_ = true; });
  connect(DefaultItems, &QPushButton::clicked, this, &TablesWindow::DefaultItemsClick);
  connect(Compute, &QPushButton::clicked, this, &TablesWindow::ComputeClick);
  connect(Cancel, &QPushButton::clicked, this, &TablesWindow::CancelClick);
  connect(Copy, &QPushButton::clicked, this, &TablesWindow::CopyClick);
  connect(SaveAsCsv, &QPushButton::clicked, this, &TablesWindow::SaveCsvClick);
  for (QLineEdit* field : {From, To, Step, Rows, At})
    connect(field, &QLineEdit::returnPressed, this, &TablesWindow::ComputeClick);
}

void TablesWindow::Open() {
  RefreshFromSession();
  show();
  raise();
  activateWindow();
}

bool TablesWindow::event(QEvent* e) {
  // The units or the standard may have changed in the main window meanwhile.
  if (e->type() == QEvent::WindowActivate) RefreshFromSession();
  return QMainWindow::event(e);
}

void TablesWindow::closeEvent(QCloseEvent* e) {
  if (busy_) CancelClick();
  e->accept();
}

TableKind TablesWindow::CurrentKind() const {
  return static_cast<TableKind>(Kind->currentData().toInt());
}

void TablesWindow::RefreshFromSession() {
  Session& s = form_.session();
  const TableKind kind = CurrentKind();
  const Quantity varied = VariedQuantity(kind);
  FromLabel->setText("&From (" + Q(s.units.UnitText(varied)).trimmed() + ")");
  ToLabel->setText("&To (" + Q(s.units.UnitText(varied)).trimmed() + ")");
  const std::optional<Quantity> fixed = FixedQuantity(kind);
  AtLabel->setText(
      fixed ? "&At " + QuantityCaption(*fixed) + " (" + Q(s.units.UnitText(*fixed)).trimmed() + ")" : "&At");
  At->setEnabled(fixed.has_value());
  if (itemsSet_ != &s.Set() || (itemsKind_ != kind && !itemsTouched_)) FillItems();
  itemsKind_ = kind;
}

void TablesWindow::KindChanged() {
  // The columns follow the kind until the user picks them.
  RefreshFromSession();
}

// Every variable item the standard gives, the default ones of the kind checked.
void TablesWindow::FillItems() {
  Session& s = form_.session();
  const std::vector<Item> defaults = DefaultTableItems(s.Set(), CurrentKind());
  QSignalBlocker block(Items);
  Items->clear();
  for (Item item : VariableItems()) {
    if (s.Calculators().VarPropCalc(item) == nullptr) continue;
    auto* entry = new QListWidgetItem(Q(PropName(item)), Items);
    entry->setData(Qt::UserRole, ItemCode(item));
    entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
    const bool checked = std::find(defaults.begin(), defaults.end(), item) != defaults.end();
    entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  itemsSet_ = &s.Set();
  itemsTouched_ = false;
}

void TablesWindow::DefaultItemsClick() {
  FillItems();
}

TableInput TablesWindow::ReadInput() const {
  TableInput input;
  input.kind = CurrentKind();
  input.from = From->text().trimmed().toStdString();
  input.to = To->text().trimmed().toStdString();
  if (ByStep->isChecked())
    input.step = Step->text().trimmed().toStdString();
  else
    input.rows = Rows->text().trimmed().toStdString();
  if (FixedQuantity(input.kind)) input.at = At->text().trimmed().toStdString();
  for (int i = 0; i < Items->count(); ++i) {
    const QListWidgetItem* entry = Items->item(i);
    if (entry->checkState() == Qt::Checked)
      if (auto item = ItemFromCode(entry->data(Qt::UserRole).toInt())) input.items.push_back(*item);
  }
  return input;
}

void TablesWindow::ShowMessage(const QString& text, bool error) {
  QPalette pal = Message->palette();
  const QColor colour = error ? QColor(Qt::red) : palette().color(QPalette::WindowText);
  pal.setColor(QPalette::Active, QPalette::WindowText, colour);
  pal.setColor(QPalette::Inactive, QPalette::WindowText, colour);
  Message->setPalette(pal);
  Message->setText(text);
}

QString TablesWindow::MessageText() const {
  return Message->text();
}

void TablesWindow::ComputeClick() {
  if (busy_) return;
  RefreshFromSession();
  TableInput input = ReadInput();
  if (input.items.empty()) {
    ShowMessage("Please check at least one column.", true);
    return;
  }
  Session& s = form_.session();
  const TableCheck check = CheckTableInput(s, input);
  if (!check.request) {
    ShowMessage(Q(check.error), true);
    return;
  }
  const TableRequest request = *check.request;
  const CorrelationSet& set = s.Set();
  const UnitSelection units = s.units.GetUnitSelection();
  if (request.range.rows < kBackgroundRows) {
    std::optional<RangeTable> table = ComputeRangeTable(request, set, units);
    if (table) ShowTable(std::make_shared<const RangeTable>(std::move(*table)));
    return;
  }
  StartJob(
      "Computing",
      [request, &set, units](const TableControl& control) {
        JobOutcome outcome;
        std::optional<RangeTable> table = ComputeRangeTable(request, set, units, control);
        if (table) outcome.table = std::make_shared<const RangeTable>(std::move(*table));
        return outcome;
      },
      [this](const JobOutcome& outcome) {
        if (outcome.table) ShowTable(outcome.table);
      });
}

void TablesWindow::ShowTable(std::shared_ptr<const RangeTable> table) {
  model_->SetTable(std::move(table));
  const RangeTable& t = *model_->Table();
  // Widths from the headings and the widest cell texts, never from every row.
  QFontMetrics fm(Grid->font());
  for (int c = 0; c < t.ColumnCount(); ++c) {
    const ColumnHeading& h = t.Headings()[static_cast<std::size_t>(c)];
    int width =
        fm.horizontalAdvance(c + 1 == t.ColumnCount() ? "Saturated Liquid and Vapour" : "-8.8888e-88 ");
    for (const std::string& text : {h.name, h.phase, h.unit})
      width = std::max(width, fm.horizontalAdvance(Q(text)));
    Grid->setColumnWidth(c, width + 16);
  }
  Grid->horizontalHeader()->setMinimumHeight(fm.lineSpacing() * 3 + 8);
  ShowMessage(QString("%1, %2 rows, %3.")
                  .arg(Q(TableKindName(t.Request().kind)))
                  .arg(QLocale::c().toString(static_cast<qlonglong>(t.RowCount())))
                  .arg(Q(form_.session().Set().Name())),
              false);
}

void TablesWindow::CancelClick() {
  if (!busy_) return;
  cancel_ = true;
  ShowMessage("Cancelling...", false);
}

void TablesWindow::CopyClick() {
  if (busy_ || !Table()) return;
  form_.platform().SetClipboardText(batch::ClipboardText(*Table()));
}

void TablesWindow::SaveCsvClick() {
  if (busy_ || !Table()) return;
  const QString path =
      QFileDialog::getSaveFileName(this, "Save as CSV", "table.csv", "CSV files (*.csv);;All files (*)");
  if (!path.isEmpty()) SaveCsv(path);
}

std::string TablesWindow::WriteCsv(const RangeTable& table, const QString& path,
                                   const TableControl& control) {
  QSaveFile file(path);
  // Unbuffered: each block reaches the system at once, and a disk that fills says so there.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return "Cannot write " + path.toStdString() + ": " + file.errorString().toStdString();
  batch::TableWriter writer(batch::TableFormat::kCsv, table);
  std::string out;
  writer.AppendHeader(out);
  for (std::int64_t first = 0; first < table.RowCount(); first += kSaveRows) {
    if (control.cancel != nullptr && control.cancel->load()) return {};  // the file is left as it was
    writer.AppendRows(table, first, kSaveRows, out);
    if (first + kSaveRows >= table.RowCount()) writer.AppendFooter(out);
    if (QString error; !WriteAll(file, out.data(), static_cast<qint64>(out.size()), error))
      return "Cannot write " + path.toStdString() + ": " + error.toStdString();
    out.clear();
    if (control.progress) control.progress(std::min(table.RowCount(), first + kSaveRows), table.RowCount());
  }
  if (!file.commit()) return "Cannot write " + path.toStdString() + ": " + file.errorString().toStdString();
  return {};
}

bool TablesWindow::SaveCsv(const QString& path) {
  if (busy_ || !Table()) return false;
  std::shared_ptr<const RangeTable> table = model_->Table();
  if (table->RowCount() < kBackgroundRows) {
    const std::string error = WriteCsv(*table, path, {});
    if (!error.empty()) {
      form_.platform().ShowMessage(error);
      return false;
    }
    ShowMessage("Saved to " + path + ".", false);
    return true;
  }
  StartJob(
      "Saving",
      [table, path](const TableControl& control) {
        return JobOutcome{nullptr, WriteCsv(*table, path, control)};
      },
      [this, path](const JobOutcome&) { ShowMessage("Saved to " + path + ".", false); });
  return true;
}

void TablesWindow::SetBusy(bool busy, const QString& what) {
  busy_ = busy;
  Cancel->setEnabled(busy);
  for (QWidget* w :
       {static_cast<QWidget*>(Compute), static_cast<QWidget*>(Copy), static_cast<QWidget*>(SaveAsCsv)})
    w->setEnabled(!busy);
  Progress->setVisible(busy);
  if (busy) {
    Progress->setValue(0);
    ShowMessage(what + "...", false);
  }
}

void TablesWindow::StartJob(const QString& what, Job job, std::function<void(const JobOutcome&)> done) {
  cancel_ = false;
  reportedStep_ = -1;
  Progress->setRange(0, kProgressSteps);
  SetBusy(true, what);
  jobDone_ = std::move(done);
  TableControl control;
  control.cancel = &cancel_;
  // Called on a worker thread: the bar moves on the window's thread, a step at a time.
  control.progress = [this](std::int64_t rows, std::int64_t all) {
    const int step = static_cast<int>(rows * kProgressSteps / std::max<std::int64_t>(all, 1));
    if (reportedStep_.exchange(step) == step) return;
    QMetaObject::invokeMethod(
        this, [this, step] { Progress->setValue(step); }, Qt::QueuedConnection);
  };
  watcher_.setFuture(QtConcurrent::run([job = std::move(job), control] {
    try {
      return job(control);
    } catch (const std::bad_alloc&) {
      return JobOutcome{nullptr, "Not enough memory for a table of this size."};
    }
  }));
}

void TablesWindow::JobFinished() {
  JobOutcome outcome = watcher_.result();
  outcome.cancelled = cancel_.load();
  SetBusy(false, {});
  std::function<void(const JobOutcome&)> done = std::move(jobDone_);
  jobDone_ = nullptr;
  if (!outcome.error.empty()) {
    // A failed save says so in a box, as a failed write does everywhere in the program.
    form_.platform().ShowMessage(outcome.error);
    ShowMessage(Q(outcome.error), true);
  } else if (outcome.cancelled) {
    ShowMessage("Cancelled.", false);
  } else if (done) {
    done(outcome);
  }
}

}  // namespace tulo::gui
