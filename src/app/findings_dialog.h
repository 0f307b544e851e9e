// The list of a run's findings beside the window: sortable by each column, with a button that
// saves them as a CSV file.
#pragma once

#include <QDialog>
#include <vector>

#include "common/findings.h"

class QTableWidget;

namespace tq {

class FindingsDialog : public QDialog {
  Q_OBJECT

 public:
  FindingsDialog(std::vector<Finding> findings, QWidget* parent);

 private slots:
  void SaveCsv();

 private:
  void FillTable();

  std::vector<Finding> findings_;  // the items point into it
  QTableWidget* table_ = nullptr;
};

}  // namespace tq
