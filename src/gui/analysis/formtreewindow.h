// SPDX-License-Identifier: MIT
#pragma once

// The form structure tree: the controls of one form and their properties, parsed once from the
// item's lines when the window opens. A click on a Properties node lists its properties beside the
// tree; the filter box narrows the tree to the nodes that mention a text. A child window of the
// main window; several can be open at once, each with its own copy of the model.

#include <QWidget>

#include <string>
#include <vector>

#include "analysis/formtree.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

struct RFile;

class TfrmFormTree : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmFormTree(QWidget* parent = nullptr);

  // Caption "Form tree for " + title, the model from the item's loaded lines, then the tree.
  void BuildFormTree(const std::string& title, const RFile& item);

  QPushButton* btnClose = nullptr;
  QLineEdit* edtFilter = nullptr;
  QLabel* lblNotice = nullptr;
  QSplitter* splitTree = nullptr;
  QTreeWidget* treeProject = nullptr;
  QTreeWidget* lviewProperties = nullptr;

  // A click on a tree node: a Properties node fills the property list, any other leaves it.
  void treeProjectClick(QTreeWidgetItem* node);
  void btnCloseClick();
  // Shows only the nodes that mention the filter text, with their ancestors.
  void edtFilterChange();

  const TFormTree& Model() const { return FModel; }
  const std::vector<TFormTreeRow>& Rows() const { return FRows; }
  // The tree node of a row of Rows().
  QTreeWidgetItem* RowItem(std::size_t row) const { return FItems[row]; }

 private:
  void FillTree();
  void FillPropertyList(const std::vector<RFormProp>& props);

  TFormTree FModel;
  std::vector<TFormTreeRow> FRows;
  std::vector<QTreeWidgetItem*> FItems;
};

}  // namespace qm
