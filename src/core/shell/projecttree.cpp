#include "shell/projecttree.h"

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

void TProjectTree::Build(TSourceMgt& project, const std::string& rootCaption) {
  nodes_.clear();
  nodes_.push_back({rootCaption, kImageProject, kImageProject, kNoStateImage, nullptr});
  for (RFile* item = project.FirstFile; item && item->Next; item = item->Next) {
    const int image = NodeImageOfKind(item->Kind);
    if (image < 0) continue;
    TProjectNode node{item->Caption, image, image, kStateSelected, item};
    SetNodeSelected(node, true);
    nodes_.push_back(std::move(node));
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
