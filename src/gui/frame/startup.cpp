// SPDX-License-Identifier: MIT
#include "frame/startup.h"

#include <QApplication>

#include "analysis/chartselector.h"
#include "analysis/commentorwindow.h"
#include "analysis/formtreewindow.h"
#include "options/optionsdialog.h"
#include "options/saveorload.h"
#include "frame/mainwindow.h"
#include "frame/progresswindows.h"
#include "frame/shellimages.h"
#include "spelling/spelldialog.h"
#include "viewers/leftorright.h"
#include "viewers/processingnotice.h"
#include "viewers/viewerpanes.h"
#include "viewers/viewdual.h"
#include "viewers/viewerservices.h"

namespace qm {

void SetUpApplication(QApplication& application) {
  InitShellResources();
  application.setApplicationName(QStringLiteral("Quillmate"));
  // No display name: the platform would append it to every top-level caption ("Processing... -
  // Quillmate/VB 3.0"), while each window shows its own caption alone.
  application.setApplicationVersion(QStringLiteral(QUILLMATE_VERSION));
  application.setWindowIcon(ApplicationIcon());
}

TQuillmateWindows::TQuillmateWindows() {
  frmMain = std::make_unique<TfrmMain>(Settings);
  frmCopyFiles = std::make_unique<TfrmCopyFiles>();
  frmSpellDialog = std::make_unique<TfrmSpellDialog>(frmMain->Prompts());
  frmOptions = std::make_unique<TfrmOptions>(Settings, frmMain->Templates(), frmMain.get());
  frmOptions->SetConfigureSpeller([spelling = frmSpellDialog.get()] { spelling->OptionsButtonClick(); });
  frmViewDual = std::make_unique<TfrmViewDual>();
  frmProcessingNotice = std::make_unique<TfrmProcessingNotice>(frmMain.get());
  frmProcessing = std::make_unique<TfrmProcessing>();
  frmLeftorRight = std::make_unique<TfrmLeftorRight>(frmMain.get());
  TfrmMain* main = frmMain.get();
  frmChartSelector = std::make_unique<TfrmChartSelector>(main);
  frmChartSelector->Project = [main] { return main->Project(); };
  frmChartSelector->ShowChart = [main](QWidget* chart) { main->AddViewer(chart); };
  frmSaveOrLoad = std::make_unique<TfrmSaveOrLoad>(frmOptions.get());
  frmOptions->SetSaveOrLoad(frmSaveOrLoad.get());
  frmOptions->ProjectDirectory = [main = frmMain.get()] {
    return main->Project() ? main->Project()->ProjectDir : std::string();
  };

  TViewerServices& viewers = ViewerServices();
  viewers.Prompts = &frmMain->Prompts();
  viewers.LeftOrRight = frmLeftorRight.get();
  viewers.ProcessingNotice = frmProcessingNotice.get();

  TfrmMain::TWindows windows;
  windows.Copying = frmCopyFiles.get();
  windows.Processing = frmProcessing.get();
  windows.Preview = frmViewDual.get();
  windows.ShowOptions = [options = frmOptions.get()] { options->exec(); };
  windows.ShowChartSelector = [this] { ExecModal(*frmChartSelector); };
  windows.OpenCommentor = [this](RFile& item) {
    TfrmMain& main = *frmMain;
    auto* commentor = new TfrmCommentor(Settings, main.Prompts(), &main.Templates());
    main.AddViewer(commentor);
    const TSourceMgt* project = main.Project();
    if (!commentor->OpenModule(item, project ? project->ProjectDir : std::string())) CloseViewerWindow(commentor);
  };
  windows.Spelling = &frmSpellDialog->Spelling();
  windows.OpenFormTree = [main](RFile& item, const std::string& projectName) {
    auto* tree = new TfrmFormTree;
    tree->BuildFormTree(projectName, item);
    main->AddViewer(tree);
  };
  frmMain->SetWindows(std::move(windows));
}

TQuillmateWindows::~TQuillmateWindows() {
  TViewerServices& viewers = ViewerServices();
  viewers.Prompts = nullptr;
  viewers.LeftOrRight = nullptr;
  viewers.ProcessingNotice = nullptr;
  // The windows owned by the main window go with it; the others first, in reverse order.
  frmSaveOrLoad.reset();
  frmChartSelector.reset();
  frmLeftorRight.reset();
  frmProcessing.reset();
  frmProcessingNotice.reset();
  frmViewDual.reset();
  frmOptions.reset();
  frmSpellDialog.reset();
  frmCopyFiles.reset();
  frmMain.reset();
}

}  // namespace qm
