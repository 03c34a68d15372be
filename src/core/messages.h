#pragma once

// Every text the core shows to the user, as whole phrases. "%s" marks where a name goes
// (see Format). Texts keep their double blanks after full stops.

#include <string>
#include <string_view>

namespace qm::msg {

// Settings file
inline constexpr std::string_view UnableToWriteTo = "Unable to write to %s";
inline constexpr std::string_view UnableToRetrievePlacement = "Unable to retrieve window placement";

// Project reader
inline constexpr std::string_view InvalidProjectFile = "Invalid VB project file.  Unable to proceed.";
inline constexpr std::string_view NotAsciiFile =
    "%s is not an ASCII file.  "
    "It will not be added to the project.  Select Cancel to quit "
    "loading the project or OK to continue.";
inline constexpr std::string_view ProjectFileEmpty = "Project file is empty.";
inline constexpr std::string_view NotAvailable = "NOT AVAILABLE";

// Processing run
inline constexpr std::string_view ProcessAllSelected = "Process all selected files?";
inline constexpr std::string_view UnableToCreateBackup = "Unable to create backup...  Operation aborted...";
inline constexpr std::string_view ErrorCreatingLog = "Error while creating log file.";
inline constexpr std::string_view DeleteAllFilesIn = "Delete all files in %s?";
inline constexpr std::string_view ConversionCompleted = "Conversion Completed.";
inline constexpr std::string_view ProcessingCaption = "Processing...";

// Output copying
inline constexpr std::string_view BackingUpCaption = "Backing up files...";
inline constexpr std::string_view BackingUpFile = "Backing Up File: %s";

// Replaces the first "%s" of a message with a name.
inline std::string Format(std::string_view text, std::string_view name) {
  std::string out(text);
  if (auto at = out.find("%s"); at != std::string::npos) out.replace(at, 2, name);
  return out;
}

}  // namespace qm::msg
