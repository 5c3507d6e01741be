#include "gui/StateListWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/MainForm.h"
#include "gui/Artwork.h"
#include "gui/HelpWindow.h"
#include "gui/SaveFile.h"

namespace tulo::gui {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// statelist.json in the folder of the configuration file.
std::string ListPathBeside(const std::string& configPath) {
  return (std::filesystem::path(configPath).parent_path() / kStateListFileName).string();
}

}  // namespace

StateListWindow::StateListWindow(MainForm& form, QWidget* parent)
    : QMainWindow(parent), form_(form), path_(ListPathBeside(form.config().Path())) {
  setObjectName("StateListWindow");
  setWindowTitle(kCaption);
  setWindowIcon(ProgramIcon());
  BuildControls();
  StateListRead read = LoadStateList(path_);
  list_ = std::move(read.list);
  Refresh();
  resize(900, 420);
  AddHelpKey(*this, form_, HelpTopic::kStateList);
  if (!read.error.empty()) {
    ShowMessage(Q(read.error), true);
    form_.platform().ShowMessage(read.error);
  }
}

void StateListWindow::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* nameLabel = new QLabel("List &name", central);
  ListName = new QLineEdit(central);
  ListName->setObjectName("ListName");
  nameLabel->setBuddy(ListName);
  Grid = new QTableWidget(central);
  Grid->setObjectName("Grid");
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto button = [central](const char* text, const char* name) {
    auto* b = new QPushButton(text, central);
    b->setObjectName(name);
    return b;
  };
  Rename = button("&Rename...", "Rename");
  Remove = button("Re&move", "Remove");
  Clear = button("C&lear", "Clear");
  ChooseProperties = button("Choose &Properties...", "ChooseProperties");
  ExportCsvButton = button("&Export CSV...", "ExportCsv");
  Message = new QLabel(central);
  Message->setObjectName("Message");
  Message->setWordWrap(true);

  auto* top = new QHBoxLayout;
  top->addWidget(nameLabel);
  top->addWidget(ListName, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {Rename, Remove, Clear, ChooseProperties, ExportCsvButton}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* all = new QVBoxLayout(central);
  all->addLayout(top);
  all->addWidget(Grid, 1);
  all->addLayout(buttons);
  all->addWidget(Message);

  connect(ListName, &QLineEdit::editingFinished, this, [this] {
    const std::string name = ListName->text().trimmed().toStdString();
    if (name.empty() || name == list_.name) return;
    list_.name = name;
    Changed();
  });
  connect(Rename, &QPushButton::clicked, this, &StateListWindow::RenameClick);
  connect(Remove, &QPushButton::clicked, this, &StateListWindow::RemoveClick);
  connect(Clear, &QPushButton::clicked, this, &StateListWindow::ClearClick);
  connect(ChooseProperties, &QPushButton::clicked, this, &StateListWindow::ChoosePropertiesClick);
  connect(ExportCsvButton, &QPushButton::clicked, this, &StateListWindow::ExportCsvClick);
}

StateListWindow::~StateListWindow() {
  ListName->disconnect(this);
}

void StateListWindow::Open() {
  Refresh();
  show();
  raise();
  activateWindow();
}

bool StateListWindow::event(QEvent* e) {
  // The units may have changed in the main window meanwhile.
  if (e->type() == QEvent::WindowActivate) Refresh();
  return QMainWindow::event(e);
}

void StateListWindow::Refresh() {
  const UnitSettings& units = form_.session().units;
  ListName->setText(Q(list_.name));
  QStringList headings = {"Name"};
  for (const ColumnKey& key : list_.columns) headings << Q(ColumnTitle(key, units));
  Grid->clear();
  Grid->setColumnCount(static_cast<int>(headings.size()));
  Grid->setHorizontalHeaderLabels(headings);
  Grid->setRowCount(static_cast<int>(list_.entries.size()));
  for (int row = 0; row < Grid->rowCount(); ++row) {
    const StateEntry& entry = list_.entries[static_cast<std::size_t>(row)];
    auto* name = new QTableWidgetItem(Q(entry.name));
    name->setToolTip(Q(values_.Problem(entry.state)));
    Grid->setItem(row, 0, name);
    const std::vector<std::string> cells = values_.Row(entry.state, list_.columns, units);
    for (std::size_t c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(Q(cells[c]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Grid->setItem(row, static_cast<int>(c) + 1, item);
    }
  }
}

void StateListWindow::Changed() {
  Refresh();
  const std::string error = SaveStateList(list_, path_);
  if (error.empty()) {
    ShowMessage({}, false);
    return;
  }
  ShowMessage(Q(error), true);
  form_.platform().ShowMessage(error);
}

void StateListWindow::ShowMessage(const QString& text, bool error) {
  Message->setStyleSheet(error ? "color: red" : "");
  Message->setText(text);
}

QString StateListWindow::MessageText() const {
  return Message->text();
}

void StateListWindow::AddState(const std::string& name, const StateRecord& state) {
  list_.Add(name, state);
  Changed();
}

void StateListWindow::RenameClick() {
  const int row = Grid->currentRow();
  if (row < 0 || row >= static_cast<int>(list_.entries.size())) return;
  bool ok = false;
  const QString name = QInputDialog::getText(this, "Rename", "&Name of the state", QLineEdit::Normal,
                                             Q(list_.entries[static_cast<std::size_t>(row)].name), &ok);
  if (ok) RenameEntry(row, name);
}

bool StateListWindow::RenameEntry(int row, const QString& name) {
  if (row < 0 || !list_.Rename(static_cast<std::size_t>(row), name.trimmed().toStdString())) return false;
  Changed();
  Grid->selectRow(row);
  return true;
}

void StateListWindow::RemoveClick() {
  std::vector<int> rows;
  for (const QModelIndex& index : Grid->selectionModel()->selectedRows()) rows.push_back(index.row());
  if (rows.empty()) return;
  // From the last, so that the indexes still to remove stay where they are.
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) list_.Remove(static_cast<std::size_t>(row));
  Changed();
}

void StateListWindow::ClearClick() {
  if (list_.entries.empty()) return;
  if (form_.platform().Confirm("Remove every state from the list?", false) != Answer::kYes) return;
  list_.Clear();
  Changed();
}

void StateListWindow::SetColumns(const std::vector<ColumnKey>& columns) {
  list_.columns = columns;
  Changed();
}

void StateListWindow::ChoosePropertiesClick() {
  QDialog dialog(this);
  dialog.setWindowTitle("Choose Properties");
  auto* items = new QListWidget(&dialog);
  for (const ColumnKey& key : ColumnChoices()) {
    auto* item = new QListWidgetItem(Q(ColumnName(key)), items);
    item->setData(Qt::UserRole, Q(key));
    const bool shown = std::find(list_.columns.begin(), list_.columns.end(), key) != list_.columns.end();
    item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
  }
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(items);
  layout->addWidget(box);
  if (dialog.exec() != QDialog::Accepted) return;
  // The columns in the order of the choices: T, P, x, then the catalogue.
  std::vector<ColumnKey> columns;
  for (int i = 0; i < items->count(); ++i)
    if (items->item(i)->checkState() == Qt::Checked)
      columns.push_back(items->item(i)->data(Qt::UserRole).toString().toStdString());
  SetColumns(columns);
}

void StateListWindow::ExportCsvClick() {
  const QString path =
      QFileDialog::getSaveFileName(this, "Export CSV", "states.csv", "CSV files (*.csv);;All files (*)");
  if (!path.isEmpty()) ExportCsv(path);
}

bool StateListWindow::ExportCsv(const QString& path) {
  const std::string csv = StateListCsv(list_, values_, form_.session().units);
  QString error;
  if (!WriteFileWhole(path, QByteArray::fromStdString(csv), error)) {
    const std::string message = "Cannot write " + path.toStdString() + ": " + error.toStdString();
    ShowMessage(Q(message), true);
    form_.platform().ShowMessage(message);
    return false;
  }
  ShowMessage("Exported to " + path + ".", false);
  return true;
}

}  // namespace tulo::gui
