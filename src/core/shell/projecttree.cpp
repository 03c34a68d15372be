// SPDX-License-Identifier: MIT
#include "shell/projecttree.h"

#include "platform/paths.h"

namespace qm {

namespace {

void SetNodeSelected(TProjectNode& node, bool selected) {
  node.StateIndex = selected ? kStateSelected : kStateDeselected;
  node.Item->Selected = selected;
}

}  // namespace

int NodeImageOfKind(std::uint8_t kind) {
  switch (kind) {
    case rkForm: return kImageForm;
    case rkModule: return kImageModule;
    case rkClass: return kImageClass;
    case rkUserControl: return kImageUserControl;
    case rkPropertyPage: return kImagePropertyPage;
    case rkUserDocument: return kImageUserDocument;
    case rkDesigner: return kImageDesigner;
    default: return -1;
  }
}

TItemCommands CommandsForNode(const TProjectNode* node) {
  TItemCommands commands;
  if (!node || !node->Item) return commands;
  commands.ViewSource = true;
  commands.Commentor = true;
  commands.FormStructure = HasControlDescription(node->Item->Kind);
  return commands;
}

TItemViewer ViewerForItem(const RFile& item) {
  return item.Processed ? TItemViewer::BeforeAfter : TItemViewer::Single;
}

std::string NodeToolTip(const TProjectNode& node, const std::string& projectPath) {
  if (!node.Item) return projectPath.empty() ? node.Caption : node.Caption + "\n" + DisplayPath(projectPath);
  const RFile& item = *node.Item;
  std::string tip = item.Caption;
  if (!item.Name.empty() && item.Name != item.Caption) tip += " (" + item.Name + ")";
  tip += "\n" + DisplayPath(item.Path);
  if (item.Processed && !item.OutputPath.empty()) {
    tip += "\n" + std::string(kRestyledInto) + DisplayPath(item.OutputPath);
  }
  return tip;
}

void TProjectTree::Build(TSourceMgt& project, const std::string& rootCaption) {
  nodes_.clear();
  projectPath_ = project.ProjectDir + project.ProjectName;
  TProjectNode root;
  root.Caption = rootCaption;
  nodes_.push_back(std::move(root));
  for (RFile* item = project.FirstFile; item && item->Next; item = item->Next) {
    const int image = NodeImageOfKind(item->Kind);
    if (image < 0) continue;
    TProjectNode node;
    node.Caption = item->Caption;
    node.ImageIndex = node.SelectedIndex = image;
    node.Item = item;
    SetNodeSelected(node, true);
    nodes_.push_back(std::move(node));
  }
  Refresh();
}

void TProjectTree::Refresh() {
  for (TProjectNode& node : nodes_) {
    node.Processed = node.Item && node.Item->Processed;
    node.ToolTip = NodeToolTip(node, projectPath_);
  }
}

const TProjectNode* TProjectTree::Node(std::optional<std::size_t> index) const {
  if (!index || *index >= nodes_.size()) return nullptr;
  return &nodes_[*index];
}

RFile* TProjectTree::ItemAt(std::optional<std::size_t> index) const {
  const TProjectNode* node = Node(index);
  return node ? node->Item : nullptr;
}

bool TProjectTree::Toggle(std::optional<std::size_t> index) {
  if (!ItemAt(index)) return false;
  TProjectNode& node = nodes_[*index];
  SetNodeSelected(node, node.StateIndex == kStateDeselected);
  return true;
}

void TProjectTree::SetAll(bool selected) {
  for (TProjectNode& node : nodes_) {
    if (node.Item) SetNodeSelected(node, selected);
  }
}

}  // namespace qm
