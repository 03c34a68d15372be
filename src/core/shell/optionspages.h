// SPDX-License-Identifier: MIT
#pragma once

// What the options dialog shows and where: its seven pages with their icons and help contexts, the
// four tabs of the "Comments" page, and the layout of every setting of the catalogue on them
// (which page, tab and group holds it, in which order). The window builds its controls from this
// table and from the catalogue's own rows (label, kind, range, items), so that a setting is
// declared once and the dialog cannot drift from the engine.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/catalogue.h"

namespace qm {

enum class TOptionsPage : int { General, Indents, Comments, BlankLines, SpellCheck, Save, User };
inline constexpr int kOptionsPageCount = 7;

// The tabs of the "Comments" page; kNoTab for every other page.
enum class TCommentsTab : int { SingleLine, InLine, Subroutines, Functions };
inline constexpr int kCommentsTabCount = 4;
inline constexpr int kNoTab = -1;

struct TOptionsPageDef {
  TOptionsPage Page;
  std::string_view Caption;  // the list item and the end of the window caption
  int Icon;                  // index into the list's icons
  int HelpContext;
};

// In list order.
const std::array<TOptionsPageDef, kOptionsPageCount>& OptionsPages();
const TOptionsPageDef& OptionsPageDef(TOptionsPage page);
std::string_view CommentsTabCaption(TCommentsTab tab);

// The caption before any page is chosen, and with one: "Options - General".
inline constexpr std::string_view kOptionsCaption = "Options";
std::string OptionsCaption(TOptionsPage page);

// The help context of what is in front: the page's, and on "Comments" the current tab's.
int OptionsHelpContext(TOptionsPage page, TCommentsTab tab = TCommentsTab::SingleLine);

// How a group lays out its settings.
enum class TGroupStyle {
  Stack,            // one control under the other
  Columns,          // label and spin edit pairs in two columns
  BeforeAfterGrid,  // rows of a label with a "Before" and an "After" spin edit (keys in pairs)
};

struct TOptionsGroup {
  TOptionsPage Page;
  int Tab;                   // a TCommentsTab on the "Comments" page, else kNoTab
  std::string_view Caption;  // the group box's caption; empty: the controls stand on the page
  TGroupStyle Style;
  std::vector<SettingKey> Keys;  // in the order the page shows them
  bool Beside = false;           // stands to the right of the group before it
};

// Every group of every page, in page order and top to bottom. A radio-group setting is shown as a
// group box of its own with the setting's label as caption; the spin edits beside its items (its
// companions) are not listed here but found through CompanionsOf.
const std::vector<TOptionsGroup>& OptionsLayout();

// A spin edit that stands beside one item of a radio group (the column of "Use Fixed Column").
struct TItemCompanion {
  SettingKey Spin;
  int Item;
};
std::vector<TItemCompanion> CompanionsOf(SettingKey radioGroup);

// The fixed-column settings count the blanks and code before the apostrophe: with 40 the
// apostrophe stands in column 41 as an editor counts columns (from 1). For those two spin edits,
// the words beside the spin that say where the apostrophe stands ("apostrophe in column 41");
// empty for every other setting.
std::string ApostropheColumnHint(SettingKey key, int value);

// The settings whose edit has a button beside it: the directory chooser of "Create new code in:"
// and the save-or-load buttons of the template file names.
enum class TEditButton { None, ChooseDirectory, SaveOrLoadTemplate };
TEditButton EditButtonOf(SettingKey key);

// The header template edited on a tab of "Comments", if any.
enum class TTemplateKind { Sub, Function };
std::optional<TTemplateKind> TemplateOfTab(TCommentsTab tab);

}  // namespace qm
