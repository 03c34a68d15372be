// SPDX-License-Identifier: MIT
#pragma once

// The project tree as plain data: one root node for the project and one node per form, module
// and class, with their image indexes and the state image that shows whether the item takes part
// in processing. The tree view paints these nodes; every change of a node's selection goes through
// here so that the item's Selected flag and the state image always agree.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/sourcemgt.h"

namespace qm {

// Node images (index into the tree's image list).
inline constexpr int kImageProject = 0;
inline constexpr int kImageForm = 1;
inline constexpr int kImageModule = 4;
inline constexpr int kImageClass = 5;
inline constexpr int kImageUserControl = 6;
inline constexpr int kImagePropertyPage = 7;
inline constexpr int kImageUserDocument = 8;
inline constexpr int kImageDesigner = 9;

// State images: the item takes part in processing, or it does not. The root has none.
inline constexpr int kStateSelected = 1;
inline constexpr int kStateDeselected = 2;
inline constexpr int kNoStateImage = -1;

struct TProjectNode {
  std::string Caption;
  int ImageIndex = kImageProject;
  int SelectedIndex = kImageProject;
  int StateIndex = kNoStateImage;
  RFile* Item = nullptr;  // none for the root
  // The item has been restyled in this session (shown bold), and the node's tool tip: its full
  // name and path, and where the restyled file went.
  bool Processed = false;
  std::string ToolTip;
};

// The third line of a restyled item's tool tip; the output path follows.
inline constexpr std::string_view kRestyledInto = "Restyled into ";

// "frmAbout (frmAbout.frm)\n/home/me/vb4/Forms/frmAbout.frm", and for a restyled item a third
// line "Restyled into /home/me/vb4/STYLED/frmAbout.frm"; paths as native paths. The root shows
// the project file's path.
std::string NodeToolTip(const TProjectNode& node, const std::string& projectPath);

// The node image of an item kind; -1 for kinds that get no node (controls).
int NodeImageOfKind(std::uint8_t kind);

// The commands that depend on the selected node.
struct TItemCommands {
  bool ViewSource = false;
  bool Commentor = false;
  bool FormStructure = false;
  friend bool operator==(const TItemCommands&, const TItemCommands&) = default;
};

// An item node enables viewing its source and the commentor, and the form structure for a form or
// a designer (whose control description reads like a form's);
// the root (or no node) enables none of them.
TItemCommands CommandsForNode(const TProjectNode* node);

// Which viewer shows an item: its source alone, or before and after restyling once processed.
enum class TItemViewer { Single, BeforeAfter };
TItemViewer ViewerForItem(const RFile& item);

class TProjectTree {
 public:
  // Root first (caption given, image 0, no state image), then one node per item of the source
  // list in order, state image 1; controls get no node. The items' Selected flags are set on,
  // so that the state images tell the truth.
  void Build(TSourceMgt& project, const std::string& rootCaption);
  // Takes the items' Processed flags and output paths into the nodes (after a run).
  void Refresh();
  void Clear() { nodes_.clear(); }

  const std::vector<TProjectNode>& Nodes() const { return nodes_; }
  std::size_t Size() const { return nodes_.size(); }
  const TProjectNode* Node(std::optional<std::size_t> index) const;
  // The item of a node; none for the root, no node or an index out of range.
  RFile* ItemAt(std::optional<std::size_t> index) const;

  // Toggles an item node: state image 2 becomes 1 with Selected on, anything else becomes 2 with
  // Selected off. The root (or no node) does nothing; false then.
  bool Toggle(std::optional<std::size_t> index);
  // Every node after the root: state image 1 and Selected on (or 2 and off).
  void SetAll(bool selected);

 private:
  std::vector<TProjectNode> nodes_;
  std::string projectPath_;
};

}  // namespace qm
