#pragma once
// The Tables window: a range table (saturation by temperature or pressure, an isobar, an isotherm)
// in the units and the standard in use in the main window, shown in a grid, copied to the
// clipboard or saved as CSV. Tables of kBackgroundRows rows and more are computed, and saved, on
// worker threads with a progress bar and Cancel while the window goes on answering.

#include <QAbstractTableModel>
#include <QFutureWatcher>
#include <QMainWindow>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/TableInput.h"
#include "results/RangeTable.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;

namespace tulo {
class MainForm;
}

namespace tulo::gui {

// The cells of a table as the grid shows them: one row per state, the headings name, phase and
// unit on three lines. Only the rows in view are ever formatted.
class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetTable(std::shared_ptr<const RangeTable> table);
  const std::shared_ptr<const RangeTable>& Table() const { return table_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::shared_ptr<const RangeTable> table_;
};

class TablesWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "TULO Tables";
  // Tables of this many rows and more are computed and saved off the window's thread.
  static constexpr std::int64_t kBackgroundRows = 10000;

  // `form` is the main window's: its session gives the units and the standard; it must outlive
  // the window.
  explicit TablesWindow(MainForm& form, QWidget* parent = nullptr);
  ~TablesWindow() override;

  // Shows the window in front, its labels and items in the units and standard in use.
  void Open();

  // ---- Commands ----
  // Checks the input and computes the table (in the background when it is large); a bad input
  // shows its message in red below the buttons.
  void ComputeClick();
  // Ends a computation or a save in the background; the table shown before stays.
  void CancelClick();
  // Puts the table on the clipboard: tab-separated, CR LF line ends.
  void CopyClick();
  // Asks for a file, then SaveCsv.
  void SaveCsvClick();
  // Writes the table shown to `path` as CSV (LF line ends), in the background when it is large.
  // False when there is no table or (for a small one) the file could not be written; the message
  // goes to the platform.
  bool SaveCsv(const QString& path);
  // Checks the default items of the kind in the list.
  void DefaultItemsClick();

  // A computation or a save is running in the background.
  bool Busy() const { return busy_; }
  // The table shown; null before the first.
  const RangeTable* Table() const { return model_->Table().get(); }
  // The text of the message line.
  QString MessageText() const;

  // ---- Controls ----
  QComboBox* Kind;
  QLabel* FromLabel;
  QLineEdit* From;
  QLabel* ToLabel;
  QLineEdit* To;
  QRadioButton* ByStep;
  QLineEdit* Step;
  QRadioButton* ByRows;
  QLineEdit* Rows;
  QLabel* AtLabel;
  QLineEdit* At;
  QListWidget* Items;
  QPushButton* DefaultItems;
  QPushButton* Compute;
  QPushButton* Cancel;
  QPushButton* Copy;
  QPushButton* SaveAsCsv;
  QProgressBar* Progress;
  QLabel* Message;
  QTableView* Grid;

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  // What a job in the background leaves: a table computed, a message, or neither; and whether
  // Cancel ended it.
  struct JobOutcome {
    std::shared_ptr<const RangeTable> table;
    std::string error;
    bool cancelled = false;
  };
  using Job = std::function<JobOutcome(const TableControl& control)>;

  void BuildControls();
  QGridLayout* BuildInputs(QWidget* central);
  void ConnectControls();
  TableKind CurrentKind() const;
  // The unit captions, the fixed quantity's field and the item list, from the session.
  void RefreshFromSession();
  void KindChanged();
  void FillItems();
  TableInput ReadInput() const;
  void ShowTable(std::shared_ptr<const RangeTable> table);
  void ShowMessage(const QString& text, bool error);
  void SetBusy(bool busy, const QString& what);
  // Runs `job` on a worker thread, its progress on the bar; `done` runs on the window's thread with
  // the outcome of a job that was neither cancelled nor failed.
  void StartJob(const QString& what, Job job, std::function<void(const JobOutcome&)> done);
  void JobFinished();
  // Writes the CSV of `table` to `path`; the message when it fails.
  static std::string WriteCsv(const RangeTable& table, const QString& path, const TableControl& control);

  MainForm& form_;
  TableModel* model_;
  QFutureWatcher<JobOutcome> watcher_;
  std::function<void(const JobOutcome&)> jobDone_;
  std::atomic<bool> cancel_{false};
  std::atomic<int> reportedStep_{-1};
  bool busy_ = false;
  bool itemsTouched_ = false;
  TableKind itemsKind_ = TableKind::kSaturationByTemperature;
  const CorrelationSet* itemsSet_ = nullptr;
};

}  // namespace tulo::gui
