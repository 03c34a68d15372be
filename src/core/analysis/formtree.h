// SPDX-License-Identifier: MIT
#pragma once

// The control description at the head of a form file as a tree: the form's nested Begin ... End
// blocks with their property lines, under two synthetic upper levels (the project and the file).
// The nodes live in one vector and refer to their children by index, so building, copying and
// freeing a tree never recurse, whatever the nesting depth of the file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linefile.h"

namespace qm {

struct RFormProp {
  std::string Name;   // text before the first "=", trimmed
  std::string Value;  // text after it, trimmed, exactly as written (quotes kept)
  friend bool operator==(const RFormProp&, const RFormProp&) = default;
};

struct RFormNode {
  std::string ClassName;               // the block's class as written ("VB.Form", "Property", ...)
  std::string Name;                    // the block's name ("Form1", "Font", ...)
  std::vector<RFormProp> Props;        // property lines in file order
  std::vector<std::size_t> Children;   // indexes of the nested blocks, in file order
};

// Node images (index into the window's image list).
inline constexpr int kFormImageRoot = 0;
inline constexpr int kFormImageForm = 1;
inline constexpr int kFormImageFile = 3;
inline constexpr int kFormImageProperties = 4;
inline constexpr int kFormImageControl = 5;

inline constexpr std::size_t kFormRootNode = 0;
inline constexpr std::size_t kFormFileNode = 1;

struct TFormTree {
  // Nodes[0] is the root (class "Form", the project's name), Nodes[1] the file node (class
  // "File", the item's name); the file's top-level blocks are the file node's children.
  std::vector<RFormNode> Nodes;
  // The file is a form saved in binary format: it has no textual description, and the tree
  // holds only the root and the file node.
  bool Binary = false;
};

// Whether the lines are those of a form saved in binary format (first byte 0xFF, or NUL bytes).
bool IsBinaryForm(const TLines& lines);

// The tree of one source item: the two upper levels, then the blocks of the lines.
TFormTree BuildFormModel(std::string_view projectName, std::string_view itemName, const TLines& lines);

// Parses the lines' blocks into children of the parent node. Property lines count only inside a
// block; a line beginning with "BEGIN" in any case opens a block, one beginning with "END" in any
// case closes the innermost, and the first such line outside every block ends the parse. A block
// left open runs to the end of the lines.
void ParseFormBlock(TFormTree& tree, std::size_t parent, const TLines& lines);

// The two splits of a trimmed description line.
RFormProp SplitPropertyLine(std::string_view line);
void SplitBeginLine(std::string_view line, std::string& className, std::string& name);

// What a node is shown as: class, ": ", name; and its image by class.
std::string FormNodeCaption(const RFormNode& node);
int FormNodeImage(std::size_t index, const RFormNode& node);

// The tree as the window shows it, in display order (a parent before its children): every node,
// and first under each node with properties a "Properties" row standing for them.
struct TFormTreeRow {
  std::string Caption;
  int Image = kFormImageControl;
  int Parent = -1;                // row index of the parent; -1 for the root
  std::size_t Node = 0;           // the model node shown (for a Properties row: its owner)
  bool Properties = false;        // a Properties row
};

inline constexpr std::string_view kPropertiesCaption = "Properties";

std::vector<TFormTreeRow> FormTreeRows(const TFormTree& tree);

// The tree view of the toolkit lays out and frees its nodes recursively, so the window shows the
// nodes down to this depth below the root and says how many it left out; the model itself and
// the command-line output keep every level.
inline constexpr std::size_t kFormTreeShownDepth = 1000;

// Removes the rows of nodes deeper than maxDepth below the root (with their Properties rows),
// keeping the parents' row indexes right; the number of node rows removed.
std::size_t DropRowsDeeperThan(std::vector<TFormTreeRow>& rows, std::size_t maxDepth);

// The property list a click on a row shows: a Properties row's properties; none for every other
// row (the list stays as it was).
const std::vector<RFormProp>* PropertiesOfRow(const TFormTree& tree, const TFormTreeRow& row);

// Which rows the filter text leaves visible: a node whose caption, or one of whose properties'
// names or values, holds the text (letter case ignored) is shown with its Properties row and every
// ancestor. An empty text shows every row.
std::vector<bool> FilterFormRows(const TFormTree& tree, const std::vector<TFormTreeRow>& rows,
                                 std::string_view text);

}  // namespace qm
