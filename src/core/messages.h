// SPDX-License-Identifier: MIT
#pragma once

// Every text the core shows to the user, as whole phrases. "%s" marks where a name goes
// (see Format). Texts keep their double blanks after full stops.

#include <initializer_list>
#include <string>
#include <string_view>

namespace qm::msg {

// Settings file
inline constexpr std::string_view UnableToWriteTo = "Unable to write to %s";
// A text view's errors of adding a line; "%s" stands for the line count at the time of the add.
inline constexpr std::string_view OutOfMemoryAtLine = "Out of Memory at line %s";
inline constexpr std::string_view MaximumLineCountAtLine = "Maximum line count at line %s";
inline constexpr std::string_view UnableToRetrievePlacement = "Unable to retrieve window placement";

// Project reader
inline constexpr std::string_view InvalidProjectFile = "Invalid VB project file.  Unable to proceed.";
inline constexpr std::string_view NotAsciiFile =
    "%s is not an ASCII file.  "
    "It will not be added to the project.  Select Cancel to quit "
    "loading the project or OK to continue.";
inline constexpr std::string_view EntryMissing =
    "%s is missing.  "
    "It will not be added to the project.  Select Cancel to quit "
    "loading the project or OK to continue.";
inline constexpr std::string_view EntryUnreadable =
    "%s cannot be read (%s).  "
    "It will not be added to the project.  Select Cancel to quit "
    "loading the project or OK to continue.";
inline constexpr std::string_view RecentProjectMissing =
    "%s no longer exists.  It has been removed from the list of recent projects.";
inline constexpr std::string_view ProjectFileEmpty = "Project file is empty.";
inline constexpr std::string_view NotAvailable = "NOT AVAILABLE";

// Processing run
inline constexpr std::string_view ProcessAllSelected = "Process all selected files?";
inline constexpr std::string_view UnableToCreateBackup = "Unable to create backup...  Operation aborted...";
inline constexpr std::string_view ErrorCreatingLog = "Error while creating log file.";
// After a cancel: only the files this run created or replaced are offered for deletion.
inline constexpr std::string_view DeleteRunFiles =
    "Delete the %s files this run wrote in %s?  Other files there are left as they are.";
inline constexpr std::string_view DeleteRunFile =
    "Delete the file this run wrote in %s?  Other files there are left as they are.";
inline constexpr std::string_view ConversionCompleted = "Conversion Completed.";
inline constexpr std::string_view ConversionCancelled = "Conversion cancelled.  The files written so far were kept.";
inline constexpr std::string_view ConversionCancelledDeleted =
    "Conversion cancelled.  The files this run wrote were deleted.";
inline constexpr std::string_view OutputInUse =
    "The output directory %s is in use by another run%s.  Nothing was written; try again when that "
    "run has ended.";
inline constexpr std::string_view OutputInUseProcess = " (process %s)";
inline constexpr std::string_view OutputReadOnly = "The output directory %s is read-only (%s).  Nothing was written.";
inline constexpr std::string_view OutputNotWritable =
    "Unable to write into the output directory %s (%s).  Nothing was written.";
inline constexpr std::string_view OutputFileChanged =
    "%s has changed since this program last wrote it (saved by the commentor or edited by hand).  "
    "Replace it?  No keeps it as it is.";
inline constexpr std::string_view OutputFileKept =
    "changed in the output directory since this program last wrote it; kept";
inline constexpr std::string_view OutputFileKeptForce =
    "changed in the output directory since this program last wrote it; kept (--force replaces it)";
inline constexpr std::string_view ManifestNotSaved =
    "Unable to write the record of the files written (%s); the next run will ask before replacing them.";
inline constexpr std::string_view ProcessingCaption = "Processing...";
inline constexpr std::string_view ProcessingPass = "%s (Pass %s)";
inline constexpr std::string_view PreviewCaption = "File: %s";
inline constexpr std::string_view LogStarted = "*** Project processing started at: %s";
inline constexpr std::string_view LogProcessingFile = "+++ Processing file: %s";
inline constexpr std::string_view LogCheckLine = "Check Line #%s-->%s";
inline constexpr std::string_view LogEndOfFile = "--- End of file: %s";
inline constexpr std::string_view LogSkippedFile = "!!! Skipped file: %s (same file name as %s)";
inline constexpr std::string_view LogCompleted = "*** Project processing completed at: %s";
inline constexpr std::string_view OutputDirHoldsSources =
    "The output directory %s holds source files of the project (%s).  "
    "The restyled files would be written over their sources.  Operation aborted...";
inline constexpr std::string_view DuplicateFileNames =
    "These selected files have the same file name and would overwrite each other in the output "
    "directory: %s.  Only the first of each is processed; the others are skipped.";
inline constexpr std::string_view DuplicateFilePair = "%s and %s";
inline constexpr std::string_view DuplicateFileListed = "%s (listed %s times)";
inline constexpr std::string_view UnableToSave = "Unable to save %s.  Operation aborted...";
inline constexpr std::string_view NotSaved = "%s: not saved: %s";
inline constexpr std::string_view CopyDuplicateNames =
    "These project files have the same file name and would overwrite each other in the output "
    "directory: %s.  Only the first of each is copied; the others are not.";
inline constexpr std::string_view CopiesFailed =
    "These files could not be copied into the output directory, so their copies there are missing "
    "or incomplete: %s.";
inline constexpr std::string_view CopyFailure = "%s (%s)";
inline constexpr std::string_view ProjectCopyNotRewritten = "the copied project file could not be rewritten";
inline constexpr std::string_view NotSavedProgramChange =
    "%s: not saved: the restyled text would change the program near line %s";

// The status line after a run ("%s": counts, then the output directory).
inline constexpr std::string_view StatusRestyledAll = "Restyled %s files into %s";
inline constexpr std::string_view StatusRestyledOne = "Restyled %s file into %s";
inline constexpr std::string_view StatusRestyledSome = "Restyled %s of %s files into %s";
inline constexpr std::string_view StatusSkipped = "%s skipped";
inline constexpr std::string_view StatusNotSaved = "%s not saved";
inline constexpr std::string_view StatusCancelled = "cancelled";
inline constexpr std::string_view StatusOutputDeleted = "output deleted";
inline constexpr std::string_view StatusNothingToRestyle = "Nothing restyled: the project lists no files";
inline constexpr std::string_view StatusOutputRefused =
    "Nothing restyled: the output directory %s holds source files of the project";
inline constexpr std::string_view StatusNoOutputDir = "Nothing restyled: %s could not be created";
inline constexpr std::string_view StatusOutputInUse = "Nothing restyled: %s is in use by another run";
inline constexpr std::string_view StatusOutputReadOnly = "Nothing restyled: %s cannot be written";
inline constexpr std::string_view StatusKept = "%s kept";

// Output copying
inline constexpr std::string_view BackingUpCaption = "Backing up files...";
inline constexpr std::string_view BackingUpFile = "Backing Up File: %s";

// Line difference engine
inline constexpr std::string_view DiffInternalError = "DisplayOptimalDiff: Internal Error";

// Charts
inline constexpr std::string_view ChartNothingSelected = "Please select a chart to graph.";
inline constexpr std::string_view ChartNoProject = "Source management object is empty; unable to create a graph.";
inline constexpr std::string_view ChartNoCode = "Source management object contains no code, unable to create the graph.";
inline constexpr std::string_view ChartUnknownKind = "Unknown chart type; unable to graph.";

// Form tree
inline constexpr std::string_view BinaryForm = "%s is a binary form; its controls cannot be listed.";

// Header comment templates
inline constexpr std::string_view UnableToLoadSubHeader = "Unable to load sub comment header file: %s";
inline constexpr std::string_view UnableToLoadFunctionHeader = "Unable to load function comment header file: %s";

// Options dialog
inline constexpr std::string_view OutputDirectoryEmpty =
    "\"Create new code in:\" is empty.  Enter the directory for the restyled code, "
    "for example .\\STYLED\\.";
inline constexpr std::string_view UnableToReadFrom = "Unable to read from %s";

// Procedure commentor
inline constexpr std::string_view CommentorCaption = "Function/Sub Commentor";
inline constexpr std::string_view CommentorModuleCaption = "Module: ";
inline constexpr std::string_view CommentorNoRoutines = "Module does not contain any sub or function routines.";
inline constexpr std::string_view CommentorNoPriorRoutines = "No prior routines.";
inline constexpr std::string_view CommentorNoFurtherRoutines = "No further routines.";
inline constexpr std::string_view CommentorCommentsChanged = "Comments have changed.  Do you wish to save?";
inline constexpr std::string_view CommentorFileSavedAs = "File saved as: %s.";
// The commentor changes only the comment block it shows: a refusal names that block as the cause.
inline constexpr std::string_view CommentorProgramChange =
    "%s: not saved: the edited comment block would change the program near line %s";
inline constexpr std::string_view CommentorUnableToRead = "Unable to read the module %s (%s).";
inline constexpr std::string_view CommentorSaveOverSource =
    "%s is the module's own file.  The commentor saves into the output directory and never over "
    "the source; choose another output directory in the options.  Nothing was saved.";
inline constexpr std::string_view CommentorUnableToCreateDir =
    "Unable to create the directory %s.  Nothing was saved; the edits are kept in this window.";
inline constexpr std::string_view CommentorUnableToWrite =
    "Unable to write %s (%s).  The edits are kept in this window.";

// Spell checking
inline constexpr std::string_view ReplacementNotInDictionary = "NOTE: Replacement word not in dictionary.  Continue?";
inline constexpr std::string_view SpellReplacementHasQuote =
    "The replacement holds a double quote, which would end the string literal.  "
    "Choose a replacement without one.";
inline constexpr std::string_view NoSpellingDictionary =
    "No spelling dictionary is installed: %s.  The run goes on without spell checking.";

// Replaces the first "%s" of a message with a name.
std::string Format(std::string_view text, std::string_view name);
// Fills the "%s" placeholders of a message in order (a value holding "%s" stays as it is).
std::string Fill(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace qm::msg
