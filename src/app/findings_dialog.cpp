#include "app/findings_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "form/findings_table.h"

namespace tq {
namespace {

// A cell that sorts as the findings table says: lines by number, not as text.
class FindingItem : public QTableWidgetItem {
 public:
  FindingItem(const Finding& finding, FindingColumn column)
      : QTableWidgetItem(ToQString(FindingCell(finding, column))), finding_(&finding), column_(column) {
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  }

  bool operator<(const QTableWidgetItem& other) const override {
    const auto* item = dynamic_cast<const FindingItem*>(&other);
    if (item == nullptr) return QTableWidgetItem::operator<(other);
    return CompareFindings(*finding_, *item->finding_, column_) < 0;
  }

 private:
  const Finding* finding_;
  FindingColumn column_;
};

}  // namespace

FindingsDialog::FindingsDialog(std::vector<Finding> findings, QWidget* parent)
    : QDialog(parent), findings_(std::move(findings)) {
  setObjectName("FindingsDialog");
  setWindowTitle(ToQString(kFindingsTitle));
  table_ = new QTableWidget(this);
  table_->setObjectName("FindingsTable");
  FillTable();

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save = buttons->addButton(ToQString(kFindingsSaveButton), QDialogButtonBox::ActionRole);
  save->setObjectName("SaveFindings");
  buttons->addButton(ToQString(kFindingsCloseButton), QDialogButtonBox::RejectRole);
  connect(save, &QPushButton::clicked, this, &FindingsDialog::SaveCsv);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  resize(760, 360);
}

// Sorting is switched on after filling, with no column chosen, so the list starts in the run's order.
void FindingsDialog::FillTable() {
  table_->setColumnCount(static_cast<int>(kFindingColumns.size()));
  table_->setRowCount(static_cast<int>(findings_.size()));
  QStringList titles;
  for (FindingColumn column : kFindingColumns) titles << ToQString(FindingColumnTitle(column));
  table_->setHorizontalHeaderLabels(titles);
  for (std::size_t row = 0; row < findings_.size(); ++row) {
    for (std::size_t column = 0; column < kFindingColumns.size(); ++column) {
      table_->setItem(static_cast<int>(row), static_cast<int>(column),
                      new FindingItem(findings_[row], kFindingColumns[column]));
    }
  }
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  table_->setSortingEnabled(true);
}

void FindingsDialog::SaveCsv() {
  QString path = QFileDialog::getSaveFileName(this, ToQString(kFindingsSaveButton), ToQString(kFindingsCsvName),
                                              ToQString(kFindingsCsvFilter));
  if (path.isEmpty()) return;
  std::string bytes = FindingsCsv(findings_);
  QSaveFile file(path);
  bool saved = file.open(QIODevice::WriteOnly) &&
               file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
               file.commit();
  if (saved) return;
  Text message = FindingsNotSavedMessage(FromQString(QDir::toNativeSeparators(path)), FromQString(file.errorString()));
  QMessageBox::warning(this, ToQString(kFindingsTitle), ToQString(message));
}

}  // namespace tq
