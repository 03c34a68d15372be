// SPDX-License-Identifier: MIT
#include "frame/lastusedmenu.h"

#include <QAction>
#include <QFile>
#include <QMenu>

namespace qm {

TLastUsedMenu::TLastUsedMenu(QObject* owner, const QString& name)
    : QObject(owner), FList(name.toStdString()) {
  setObjectName(name);
  FList.HasMenu = false;
}

void TLastUsedMenu::SetMenuItem(QMenu* menu) {
  RemoveEntries();
  FList.Clear();
  FMenu = menu;
  FList.HasMenu = menu != nullptr;
}

void TLastUsedMenu::SetAddNumbers(bool on) {
  FList.AddNumbers = on;
  Renumber();
}

void TLastUsedMenu::AddFile(std::string_view path) {
  FList.HasMenu = !FMenu.isNull();
  switch (FList.AddFile(path)) {
    case TLastUsedChange::Appended: {
      if (FList.AddSeperator) {
        FSeparator = FMenu->addSeparator();
        FSeparator->setObjectName(QString::fromStdString(FList.SeparatorName()));
      }
      auto* entry = FMenu->addAction(QString());
      entry->setObjectName(QString::fromStdString(FList.EntryNames().front()));
      connect(entry, &QAction::triggered, this, [this, entry] { EntryClick(entry); });
      FEntries.prepend(entry);
      break;
    }
    case TLastUsedChange::Inserted: {
      // At the first entry's place, above every other entry.
      auto* entry = new QAction(FMenu);
      entry->setObjectName(QString::fromStdString(FList.EntryNames().front()));
      FMenu->insertAction(FEntries.front(), entry);
      connect(entry, &QAction::triggered, this, [this, entry] { EntryClick(entry); });
      FEntries.prepend(entry);
      break;
    }
    case TLastUsedChange::Moved:
    case TLastUsedChange::Shifted:
    case TLastUsedChange::Ignored:
      break;
  }
  Renumber();
}

void TLastUsedMenu::RemoveFile(std::string_view path) {
  if (!FList.RemoveFile(path) || FEntries.isEmpty()) return;
  // Names stay with their places: the last entry goes, the others are captioned anew.
  QAction* last = FEntries.takeLast();
  if (FMenu) FMenu->removeAction(last);
  last->deleteLater();
  if (FEntries.isEmpty() && FSeparator) {
    if (FMenu) FMenu->removeAction(FSeparator);
    FSeparator->deleteLater();
    FSeparator = nullptr;
  }
  Renumber();
}

void TLastUsedMenu::LoadFromINI(std::string_view fileName) {
  const std::vector<std::string> values = FList.ReadINIValues(fileName);
  RemoveEntries();
  FList.Clear();
  for (const std::string& value : values) AddFile(value);
}

bool TLastUsedMenu::SaveToINI(std::string_view fileName, std::string* err) const {
  return FList.SaveToINI(fileName, err);
}

void TLastUsedMenu::RemoveEntries() {
  for (QAction* entry : FEntries) {
    if (FMenu) FMenu->removeAction(entry);
    entry->deleteLater();
  }
  FEntries.clear();
  if (FSeparator) {
    if (FMenu) FMenu->removeAction(FSeparator);
    FSeparator->deleteLater();
    FSeparator = nullptr;
  }
}

void TLastUsedMenu::Renumber() {
  for (int i = 0; i < FEntries.size() && i < FList.Count(); ++i) {
    FEntries[i]->setText(QFile::decodeName(QByteArray::fromStdString(FList.Caption(i, true))));
  }
}

void TLastUsedMenu::EntryClick(QAction* action) {
  const int index = static_cast<int>(FEntries.indexOf(action));
  if (index < 0 || index >= FList.Count() || !OnMenuClick) return;
  // The path itself, not the caption: a path with '&' shows doubled in the menu.
  const std::string path = FList.Path(index);
  OnMenuClick(path);
}

}  // namespace qm
