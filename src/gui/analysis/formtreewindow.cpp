// SPDX-License-Identifier: MIT
#include "analysis/formtreewindow.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "analysis/formtreeimages.h"
#include "analysis/formtreetexts.h"
#include "displaytext.h"
#include "messages.h"
#include "project/sourcemgt.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewerservices.h"

namespace qm {

namespace {

constexpr int kPropertyColumnWidth = 85;
constexpr int kValueColumnMaxWidth = 480;
// The role of a tree node that holds its row index in Rows().
constexpr int kRowRole = Qt::UserRole;
// The role that holds a node's image index (for tests and accessibility).
constexpr int kImageRole = Qt::UserRole + 1;

}  // namespace

TfrmFormTree::TfrmFormTree(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("frmFormTree"));

  btnClose = new QPushButton(QText(formtreemsg::CloseButton), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setAutoDefault(false);
  edtFilter = new QLineEdit(this);
  edtFilter->setObjectName(QStringLiteral("edtFilter"));
  edtFilter->setPlaceholderText(QText(formtreemsg::FilterPlaceholder));
  edtFilter->setClearButtonEnabled(true);
  lblNotice = new QLabel(this);
  lblNotice->setObjectName(QStringLiteral("lblNotice"));
  lblNotice->setWordWrap(true);
  lblNotice->hide();

  treeProject = new QTreeWidget;
  treeProject->setObjectName(QStringLiteral("treeProject"));
  treeProject->setHeaderHidden(true);
  treeProject->setColumnCount(1);
  treeProject->setEditTriggers(QAbstractItemView::NoEditTriggers);
  treeProject->setSelectionMode(QAbstractItemView::SingleSelection);

  lviewProperties = new QTreeWidget;
  lviewProperties->setObjectName(QStringLiteral("lviewProperties"));
  lviewProperties->setRootIsDecorated(false);
  lviewProperties->setItemsExpandable(false);
  lviewProperties->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lviewProperties->setSelectionBehavior(QAbstractItemView::SelectRows);
  lviewProperties->setAllColumnsShowFocus(true);
  FillPropertyList({});

  splitTree = new QSplitter(Qt::Horizontal);
  splitTree->setObjectName(QStringLiteral("splitTree"));
  splitTree->setChildrenCollapsible(false);
  splitTree->addWidget(treeProject);
  splitTree->addWidget(lviewProperties);
  splitTree->setStretchFactor(0, 3);
  splitTree->setStretchFactor(1, 2);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addWidget(btnClose);
  bar->addWidget(edtFilter, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(bar);
  layout->addWidget(lblNotice);
  layout->addWidget(splitTree, 1);

  connect(btnClose, &QPushButton::clicked, this, &TfrmFormTree::btnCloseClick);
  connect(edtFilter, &QLineEdit::textChanged, this, &TfrmFormTree::edtFilterChange);
  connect(treeProject, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { treeProjectClick(node); });
  // The keyboard reaches the same nodes as the mouse.
  connect(treeProject, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) {
    if (node) treeProjectClick(node);
  });
}

void TfrmFormTree::BuildFormTree(const std::string& title, const RFile& item) {
  setWindowTitle(FromDisplayBytes(std::string(formtreemsg::Caption) + title));
  FModel = BuildFormModel(title, item.Name, item.Lines);
  FRows = FormTreeRows(FModel);
  const std::size_t hidden = DropRowsDeeperThan(FRows, kFormTreeShownDepth);
  QString notice;
  if (FModel.Binary) {
    notice = FromDisplayBytes(msg::Format(msg::BinaryForm, item.Name));
  } else if (hidden > 0) {
    notice = QText(formtreemsg::TooDeep).arg(hidden).arg(kFormTreeShownDepth);
  }
  lblNotice->setText(notice);
  lblNotice->setVisible(!notice.isEmpty());
  FillTree();
}

void TfrmFormTree::FillTree() {
  treeProject->setUpdatesEnabled(false);
  {
    const QSignalBlocker blocker(treeProject);
    treeProject->clear();
    FItems.assign(FRows.size(), nullptr);
    for (std::size_t i = 0; i < FRows.size(); ++i) {
      const TFormTreeRow& row = FRows[i];
      auto* node = row.Parent < 0 ? new QTreeWidgetItem(treeProject)
                                  : new QTreeWidgetItem(FItems[static_cast<std::size_t>(row.Parent)]);
      node->setText(0, FromDisplayBytes(row.Caption));
      node->setIcon(0, FormTreeIcon(row.Image));
      node->setData(0, kRowRole, static_cast<qulonglong>(i));
      node->setData(0, kImageRole, row.Image);
      FItems[i] = node;
    }
  }
  treeProject->expandAll();
  treeProject->setUpdatesEnabled(true);
}

void TfrmFormTree::FillPropertyList(const std::vector<RFormProp>& props) {
  lviewProperties->clear();
  lviewProperties->setColumnCount(2);
  lviewProperties->setHeaderLabels({QText(formtreemsg::PropertyColumn), QText(formtreemsg::ValueColumn)});
  lviewProperties->header()->setStretchLastSection(false);
  lviewProperties->setColumnWidth(0, kPropertyColumnWidth);
  lviewProperties->setColumnWidth(1, kPropertyColumnWidth);
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(props.size()));
  for (const RFormProp& prop : props) {
    auto* row = new QTreeWidgetItem({FromDisplayBytes(prop.Name), FromDisplayBytes(prop.Value)});
    row->setIcon(0, FormTreeIcon(kFormImageProperties));
    row->setToolTip(1, FromDisplayBytes(prop.Value));
    rows << row;
  }
  lviewProperties->addTopLevelItems(rows);
  // Each column as wide as its longest entry, never narrower than the classic 85 pixels; a very
  // long value is cut (its tool tip holds it whole) rather than pushing the names out of sight.
  for (int column : {0, 1}) {
    lviewProperties->resizeColumnToContents(column);
    const int fitted = std::max(kPropertyColumnWidth, lviewProperties->columnWidth(column));
    lviewProperties->setColumnWidth(column, column == 1 ? std::min(fitted, kValueColumnMaxWidth) : fitted);
  }
}

void TfrmFormTree::treeProjectClick(QTreeWidgetItem* node) {
  if (!node) return;
  const auto row = static_cast<std::size_t>(node->data(0, kRowRole).toULongLong());
  if (row >= FRows.size()) return;
  if (const std::vector<RFormProp>* props = PropertiesOfRow(FModel, FRows[row])) FillPropertyList(*props);
}

void TfrmFormTree::btnCloseClick() { CloseViewerWindow(this); }

void TfrmFormTree::edtFilterChange() {
  const std::vector<bool> visible = FilterFormRows(FModel, FRows, ToDisplayBytes(edtFilter->text()));
  treeProject->setUpdatesEnabled(false);
  for (std::size_t i = 0; i < FItems.size(); ++i) FItems[i]->setHidden(!visible[i]);
  treeProject->setUpdatesEnabled(true);
}

}  // namespace qm
