// SPDX-License-Identifier: MIT
#pragma once

// The recently-used-files menu: numbered entries, behind a separator, at the end of a menu.
// The list and its order rules are TLastUsedList's; this component keeps one menu item per entry
// and shows the list's captions on them.

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <string_view>

#include "settings/lastused.h"

class QAction;
class QMenu;

namespace qm {

class TLastUsedMenu : public QObject {
  Q_OBJECT

 public:
  explicit TLastUsedMenu(QObject* owner, const QString& name = QStringLiteral("LastFiles"));

  std::string INISection() const { return FList.INISection; }
  void SetINISection(std::string section) { FList.INISection = std::move(section); }
  int MaxItems() const { return FList.MaxItems(); }
  void SetMaxItems(int count) { FList.SetMaxItems(count); }
  QMenu* MenuItem() const { return FMenu; }
  void SetMenuItem(QMenu* menu);
  bool AddNumbers() const { return FList.AddNumbers; }
  void SetAddNumbers(bool on);
  bool AddSeperator() const { return FList.AddSeperator; }
  void SetAddSeperator(bool on) { FList.AddSeperator = on; }
  // Called with the chosen entry's path.
  std::function<void(const std::string& path)> OnMenuClick;

  void AddFile(std::string_view path);
  // Takes the path out of the list and its entry out of the menu.
  void RemoveFile(std::string_view path);
  // Removes the entries (and the separator), then adds Item<MaxItems> down to Item1.
  void LoadFromINI(std::string_view fileName = kSettingsFileName);
  bool SaveToINI(std::string_view fileName = kSettingsFileName, std::string* err = nullptr) const;

  const TLastUsedList& List() const { return FList; }
  // The entries' menu items top to bottom, and the separator (none before the first entry).
  const QList<QAction*>& Entries() const { return FEntries; }
  QAction* Separator() const { return FSeparator; }

 private:
  void RemoveEntries();
  void Renumber();
  void EntryClick(QAction* action);

  TLastUsedList FList;
  QPointer<QMenu> FMenu;
  QList<QAction*> FEntries;
  QAction* FSeparator = nullptr;
};

}  // namespace qm
