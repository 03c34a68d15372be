// SPDX-License-Identifier: MIT
#include "analysis/formtree.h"

#include <algorithm>

#include "engine/linefuncs.h"
#include "platform/ascii.h"
#include "platform/paths.h"

namespace qm {

namespace {

std::string Trimmed(std::string_view text) { return std::string(TrimControls(text)); }

std::size_t AddNode(TFormTree& tree, std::size_t parent, std::string className, std::string name) {
  const std::size_t index = tree.Nodes.size();
  RFormNode node;
  node.ClassName = std::move(className);
  node.Name = std::move(name);
  tree.Nodes.push_back(std::move(node));
  if (parent < index) tree.Nodes[parent].Children.push_back(index);
  return index;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view upperNeedle) {
  return UpperCase(text).find(upperNeedle) != std::string::npos;
}

}  // namespace

bool IsBinaryForm(const TLines& lines) {
  if (!lines.empty() && !lines.front().empty() && static_cast<unsigned char>(lines.front().front()) == 0xFF) {
    return true;
  }
  return std::any_of(lines.begin(), lines.end(),
                     [](const std::string& line) { return line.find('\0') != std::string::npos; });
}

RFormProp SplitPropertyLine(std::string_view line) {
  const std::string_view trimmed = TrimControls(line);
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return {std::string(), std::string(trimmed)};
  return {Trimmed(trimmed.substr(0, equals)), Trimmed(trimmed.substr(equals + 1))};
}

void SplitBeginLine(std::string_view line, std::string& className, std::string& name) {
  std::string_view rest = TrimControls(line);
  rest = TrimControls(rest.substr(std::min<std::size_t>(5, rest.size())));
  const std::size_t blank = rest.find(' ');
  if (blank == std::string_view::npos) {
    className.clear();
    name = std::string(rest);
    return;
  }
  className = Trimmed(rest.substr(0, blank));
  name = Trimmed(rest.substr(blank + 1));
}

void ParseFormBlock(TFormTree& tree, std::size_t parent, const TLines& lines) {
  // The open blocks, innermost last; the parent stands at level 0, where property lines are the
  // file's header or its code and are not recorded.
  std::vector<std::size_t> open{parent};
  std::size_t index = 0;
  while (index < lines.size()) {
    const std::string_view line = TrimControls(lines[index]);
    const std::size_t level = open.size() - 1;
    if (level > 0 && !line.starts_with("Begin") && !line.starts_with("End")) {
      tree.Nodes[open.back()].Props.push_back(SplitPropertyLine(line));
    }
    if (HasUpperPrefix(line, "BEGIN")) {
      std::string className, name;
      SplitBeginLine(line, className, name);
      open.push_back(AddNode(tree, open.back(), std::move(className), std::move(name)));
      ++index;
      continue;
    }
    if (HasUpperPrefix(line, "END")) {
      if (level == 0) return;
      // The block closes on this line; its parent then moves past it.
      open.pop_back();
    }
    ++index;
  }
}

TFormTree BuildFormModel(std::string_view projectName, std::string_view itemName, const TLines& lines) {
  TFormTree tree;
  AddNode(tree, kFormRootNode, "Form", std::string(projectName));
  AddNode(tree, kFormRootNode, "File", std::string(itemName));
  tree.Binary = IsBinaryForm(lines);
  if (!tree.Binary) ParseFormBlock(tree, kFormFileNode, lines);
  return tree;
}

std::string FormNodeCaption(const RFormNode& node) { return node.ClassName + ": " + node.Name; }

int FormNodeImage(std::size_t index, const RFormNode& node) {
  if (index == kFormRootNode) return kFormImageRoot;
  const std::string upper = UpperCase(node.ClassName);
  if (upper == "FORM" || upper == "VB.FORM") return kFormImageForm;
  if (upper == "FILE") return kFormImageFile;
  return kFormImageControl;
}

std::vector<TFormTreeRow> FormTreeRows(const TFormTree& tree) {
  std::vector<TFormTreeRow> rows;
  if (tree.Nodes.empty()) return rows;
  rows.reserve(tree.Nodes.size() * 2);
  // Nodes still to show, with the row of their parent; taken from the back, so children are
  // pushed in reverse to come out in file order.
  struct Pending {
    std::size_t Node;
    int ParentRow;
  };
  std::vector<Pending> pending{{kFormRootNode, -1}};
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const RFormNode& node = tree.Nodes[next.Node];
    const int row = static_cast<int>(rows.size());
    rows.push_back({FormNodeCaption(node), FormNodeImage(next.Node, node), next.ParentRow, next.Node, false});
    if (!node.Props.empty()) {
      rows.push_back({std::string(kPropertiesCaption), kFormImageProperties, row, next.Node, true});
    }
    for (auto child = node.Children.rbegin(); child != node.Children.rend(); ++child) {
      pending.push_back({*child, row});
    }
  }
  return rows;
}

std::size_t DropRowsDeeperThan(std::vector<TFormTreeRow>& rows, std::size_t maxDepth) {
  std::vector<std::size_t> depth(rows.size(), 0);
  std::vector<int> newIndex(rows.size(), -1);
  std::size_t kept = 0, dropped = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TFormTreeRow& row = rows[i];
    if (row.Parent >= 0) {
      const auto parent = static_cast<std::size_t>(row.Parent);
      // A Properties row stands at its node's depth: it goes and stays with the node.
      depth[i] = depth[parent] + (row.Properties ? 0 : 1);
      if (newIndex[parent] < 0 || depth[i] > maxDepth) {
        dropped += row.Properties ? 0 : 1;
        continue;
      }
      row.Parent = newIndex[parent];
    }
    newIndex[i] = static_cast<int>(kept);
    if (kept != i) rows[kept] = std::move(row);
    ++kept;
  }
  rows.resize(kept);
  return dropped;
}

const std::vector<RFormProp>* PropertiesOfRow(const TFormTree& tree, const TFormTreeRow& row) {
  if (!row.Properties || row.Node >= tree.Nodes.size()) return nullptr;
  return &tree.Nodes[row.Node].Props;
}

std::vector<bool> FilterFormRows(const TFormTree& tree, const std::vector<TFormTreeRow>& rows,
                                 std::string_view text) {
  std::vector<bool> visible(rows.size(), text.empty());
  if (text.empty()) return visible;
  const std::string needle = UpperCase(text);
  std::vector<bool> nodeMatches(tree.Nodes.size(), false);
  for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
    const RFormNode& node = tree.Nodes[i];
    nodeMatches[i] = ContainsIgnoringCase(FormNodeCaption(node), needle) ||
                     std::any_of(node.Props.begin(), node.Props.end(), [&](const RFormProp& prop) {
                       return ContainsIgnoringCase(prop.Name, needle) || ContainsIgnoringCase(prop.Value, needle);
                     });
  }
  // A parent's row comes before its children's, so one pass from the end carries visibility up.
  for (std::size_t i = rows.size(); i-- > 0;) {
    if (rows[i].Node < nodeMatches.size() && nodeMatches[rows[i].Node]) visible[i] = true;
    if (visible[i] && rows[i].Parent >= 0) visible[static_cast<std::size_t>(rows[i].Parent)] = true;
  }
  return visible;
}

}  // namespace qm
