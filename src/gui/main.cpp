// SPDX-License-Identifier: MIT
// Quillmate/VB 3.0: restyles the source code of Visual Basic projects.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

#include "shell/launch.h"
#include "frame/mainwindow.h"
#include "frame/startup.h"

namespace {

// Help and version need no display, so they are answered before the toolkit starts.
int AnswerWithoutWindow(qm::TLaunch::TAction action) {
  if (action == qm::TLaunch::TAction::Help) {
    std::cout << qm::LaunchUsage();
  } else {
    std::cout << "quillmate " << QUILLMATE_VERSION << '\n';
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto early = qm::EarlyLaunchAction(std::vector<std::string>(argv + 1, argv + argc));
      early != qm::TLaunch::TAction::Run) {
    return AnswerWithoutWindow(early);
  }
  QApplication application(argc, argv);
  // The toolkit has taken its own options out of the arguments by now.
  std::vector<std::string> args;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(QFile::encodeName(arguments[i]).toStdString());
  const qm::TLaunch launch = qm::ParseLaunchArgs(args);
  if (launch.Action == qm::TLaunch::TAction::Error) {
    std::cerr << "quillmate: " << launch.Problem << "\nTry 'quillmate --help'.\n";
    return 2;
  }
  if (launch.Action != qm::TLaunch::TAction::Run) return AnswerWithoutWindow(launch.Action);

  qm::SetUpApplication(application);
  qm::TQuillmateWindows windows;
  windows.frmMain->show();
  if (!launch.Project.empty()) {
    const QString path = QFileInfo(QFile::decodeName(launch.Project.c_str())).absoluteFilePath();
    windows.frmMain->OpenProject(QFile::encodeName(path).toStdString());
  }
  return application.exec();
}
