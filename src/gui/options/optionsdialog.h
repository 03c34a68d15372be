// SPDX-License-Identifier: MIT
#pragma once

// TfrmOptions: the options dialog. Its pages are built from the layout table and the settings
// catalogue; every control edits the live setting in place (the one the engine reads), and the
// two template editors edit the live header comment templates. What happens on showing, OK and
// Cancel, the dependent controls and the template files are decided by the core
// (shell/optionsdialog.h); the preview panel shows the page's sample restyled with the values in
// the dialog.

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/templates.h"
#include "settings/catalogue.h"
#include "shell/optionsdialog.h"
#include "shell/optionspages.h"

class QButtonGroup;
class QFileDialog;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QVBoxLayout;
class QTimer;
class QVBoxLayout;

namespace qm {

class IPrompts;
class ITemplateFileDialogs;
class TBigText;
class TfrmHelp;
class TfrmSaveOrLoad;
class TMessageBoxes;

class TfrmOptions : public QDialog {
  Q_OBJECT

 public:
  TfrmOptions(TSettings& settings, TCommentTemplates& templates, QWidget* parent = nullptr);
  ~TfrmOptions() override;

  // The windows and services of the program the dialog uses. While ConfigureSpeller is not set,
  // "Configure &Spell Checker" stays disabled.
  void SetSaveOrLoad(TfrmSaveOrLoad* chooser) { FSaveOrLoad = chooser; }
  void SetConfigureSpeller(std::function<void()> configure);
  void SetPrompts(IPrompts* prompts) { FPrompts = prompts; }
  // The open project's directory (for the directory chooser's start); empty without a project.
  std::function<std::string()> ProjectDirectory;
  // The directory chooser: the native directory chosen, or empty. The platform's by default.
  std::function<std::string(const std::string& start)> ChooseDirectory;
  // Stands in for the save-or-load question and the file dialogs (tests); none: the dialog's own.
  void SetTemplateDialogs(ITemplateFileDialogs* dialogs) { FTemplateDialogs = dialogs; }

  // Controls.
  QListWidget* lviewSelect = nullptr;
  QStackedWidget* OptionPages = nullptr;
  QTabWidget* tabComments = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnHelp = nullptr;
  QPushButton* btnSpellerOptions = nullptr;
  QPushButton* btnPreview = nullptr;
  QPushButton* btnOwnSample = nullptr;
  QPlainTextEdit* memoSubLevelComments = nullptr;
  QPlainTextEdit* memoFunctionLevelComments = nullptr;
  QGroupBox* grpInLineCommentsFixedColUnavail = nullptr;
  QFileDialog* dlgOpen = nullptr;
  QFileDialog* dlgSave = nullptr;
  QWidget* pnlPreview = nullptr;
  // The dialog's own help window, made on the first "&Help": a window of the modal dialog's own
  // takes input while the dialog is open.
  TfrmHelp* frmHelp = nullptr;
  TBigText* memoPreview = nullptr;
  // The control of a setting (check box, radio button, spin box, line edit, or the group box of a
  // radio group), named by its kind's prefix and key: chkOptionExplicitInsert, rGrpInLineComments.
  QWidget* Control(SettingKey key) const { return FControls[static_cast<std::size_t>(key)]; }

  // Handlers.
  void FormShow();
  void lviewSelectChange(TOptionsPage page);
  void btnOKClick();
  void btnCancelClick();
  void btnHelpClick();
  void btnBackupNewCodeGetDirectoryClick();
  void edtBackupNewCodeDirectoryExit();
  void btnGetSubCommentsFileClick();
  void btnGetFunctionCommentsFileClick();
  void btnPreviewClick();
  void btnOwnSampleClick();

  // State, for tests and the preview.
  TOptionsPage CurrentPage() const { return FPage; }
  int HelpContext() const { return FHelpContext; }
  bool PreviewShown() const { return FPreviewShown; }
  // A sample of the user's own for the preview, kept for the session; empty: the pages' samples.
  void SetOwnSample(const std::string& text);
  // Restyles the current sample into the preview now (changes schedule it).
  void RefreshPreview();

  // The client size without and with the preview panel.
  static constexpr int kWidth = 600;
  static constexpr int kHeight = 420;
  QVBoxLayout* FMainLayout = nullptr;  // the pages and the buttons, above the preview

 public slots:
  void accept() override;
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class TTemplateDialogs;

  void CreateList();
  void CreatePages();
  void CreatePreview();
  QSpinBox* MakeSpin(SettingKey key, QWidget* parent);
  QWidget* BuildGroup(const TOptionsGroup& group);
  void AddStackControl(SettingKey key, QVBoxLayout* layout, QWidget* parent);
  QWidget* BuildRadioGroup(SettingKey key, QWidget* parent);
  QWidget* BuildTemplateEditor(TTemplateKind kind, QWidget* parent);
  void SetUpTemplateFileDialogs();

  void LoadControls();
  void LoadTemplateEditors();
  void ApplyDependentRules();
  void SettingChanged();
  void UpdateHelpContext();
  void ApplySize();
  void GetTemplateFile(TTemplateKind kind);
  IPrompts& Prompts() const;

  TSettings& FSettings;
  TCommentTemplates& FTemplates;
  TOptionsSession FSession;
  std::array<QWidget*, kSettingCount> FControls{};
  std::array<QButtonGroup*, kSettingCount> FRadioGroups{};  // by radio-group setting
  std::array<QButtonGroup*, 8> FRadioButtonGroups{};        // by RadioGroupId
  std::unique_ptr<TMessageBoxes> FMessageBoxes;
  std::unique_ptr<TTemplateDialogs> FOwnTemplateDialogs;
  IPrompts* FPrompts = nullptr;
  ITemplateFileDialogs* FTemplateDialogs = nullptr;
  TfrmSaveOrLoad* FSaveOrLoad = nullptr;
  std::function<void()> FConfigureSpeller;
  QTimer* FPreviewTimer = nullptr;
  TOptionsPage FPage = TOptionsPage::General;
  int FHelpContext = 11;
  bool FLoading = false;
  bool FPreviewShown = false;
  TLines FOwnSample;
};

}  // namespace qm
